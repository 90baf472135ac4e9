#pragma once

#include <QFileIconProvider>

#include "platform/ShellIcons.h"

namespace quorvane {

class FileSystem;

// Icons as a Linux file manager shows them: a disguised folder as the object it imitates (from
// the icon theme, with our own picture where the theme has none), anything else through Qt's
// file icon provider.
class QtShellIcons final : public ShellIcons {
public:
    explicit QtShellIcons(FileSystem& fs);
    std::optional<QImage> iconFor(const QString& path, int size) override;

    // The theme name used for each disguise, in the order of the disguise list.
    static QString disguiseIconName(std::size_t disguise);

private:
    FileSystem& m_fs;
    QFileIconProvider m_provider;
};

}  // namespace quorvane
