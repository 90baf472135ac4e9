#pragma once

#include <string>

namespace quorvane {

// An icon for a folder as file managers name one: an image file, or an icon of the desktop's theme.
struct FolderIcon {
    std::string file;       // the image file's full path; empty for a theme icon
    std::string themeName;  // used when `file` is empty
    bool operator==(const FolderIcon&) const = default;
};

// Tells the platform's file managers which icon a folder shows, where they do not read the
// folder's "desktop.ini" themselves. Whatever else they keep for a folder is left as it is.
class FileManagerIcons {
public:
    virtual ~FileManagerIcons() = default;

    // The folder shows `icon`. Throws PlatformError when a record the file managers read cannot be
    // written, and then has changed none of them; one whose keeper is not running (no desktop
    // session) is passed over.
    virtual void showIcon(const std::string& folder, const FolderIcon& icon) = 0;

    // The folder shows its default icon again. Throws PlatformError as showIcon does.
    virtual void showDefault(const std::string& folder) = 0;
};

}  // namespace quorvane
