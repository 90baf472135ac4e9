#pragma once

#include <optional>
#include <string>

#include "platform/ShellIcons.h"

namespace quorvane {

// The icon the shell shows for a path (SHGetFileInfoW and the system image list, drawn with
// ImageList_Draw), so that a disguised folder or one with its own icon shows what the shell shows.
class ShellIconsWin32 final : public ShellIcons {
public:
    // The image list's icon at the list's own size (the small list for 16, else the large one:
    // 32 pixels at 96 dots per inch, 48 at 144), transparent around it; nothing when the shell
    // knows nothing of the path.
    std::optional<IconImage> iconFor(const std::string& path, int size) override;
    // The large icon for a window of this DPI: from the shell's list of that DPI's large-icon size
    // where it keeps one (48 pixels at 144 dots per inch), else from its large list at that list's
    // own size; never scaled.
    static std::optional<IconImage> largeIconAtDpi(const std::string& path, int dpi);
};

}  // namespace quorvane
