#pragma once

#include <QFileIconProvider>
#include <QImage>
#include <QString>

#include "platform/ShellIcons.h"

namespace quorvane {

class FileSystem;

// Icons as the Windows shell would show them, drawn from what Linux has: a disguised folder as the
// object it imitates (from the icon theme, with our own picture where the theme has none); a
// folder with the System attribute whose "desktop.ini" names an existing icon file under
// [.ShellClassInfo] iconfile as that file's icon; an ".ico" file as the picture it holds, in its
// image nearest the size; an ".exe" as the generic program icon (no icon resources are read);
// anything else, and whatever cannot be read, through Qt's file icon provider.
class QtShellIcons final : public ShellIcons {
public:
    explicit QtShellIcons(FileSystem& fs);
    std::optional<IconImage> iconFor(const std::string& path, int size) override;
    // The same lookup in Qt's terms.
    std::optional<QImage> image(const QString& path, int size);

    // The theme name used for each disguise, in the order of the disguise list.
    static QString disguiseIconName(std::size_t disguise);

private:
    // The icon a folder's "desktop.ini" gives it, or nothing when the folder keeps its default.
    std::optional<QImage> customFolderIcon(const QString& folder, int size);
    // The icon an icon file stands for (.ico: its picture, .exe: the program icon), or nothing.
    std::optional<QImage> iconFileIcon(const QString& path, int size);

    FileSystem& m_fs;
    QFileIconProvider m_provider;
};

}  // namespace quorvane
