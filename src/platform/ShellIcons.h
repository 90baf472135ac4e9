#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace quorvane {

// The icon the file manager shows for a path, as the shell's icon lookup gives it.
class ShellIcons {
public:
    virtual ~ShellIcons() = default;
    // A `size` × `size` image (transparent where the icon is), or nothing when the path names
    // nothing that exists.
    virtual std::optional<QImage> iconFor(const QString& path, int size) = 0;
};

}  // namespace quorvane
