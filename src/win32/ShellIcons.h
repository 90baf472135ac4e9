#pragma once

#include <optional>
#include <string>

#include "platform/ShellIcons.h"

namespace quorvane {

// The icon the shell shows for a path (SHGetFileInfoW and the system image list, drawn with
// ImageList_Draw), so that a disguised folder or one with its own icon shows what the shell shows.
class ShellIconsWin32 final : public ShellIcons {
public:
    // A `size` x `size` picture: the image list's icon at its own size in the top-left corner (the
    // small list for 16, else the large one), transparent around it; nothing when the shell knows
    // nothing of the path.
    std::optional<IconImage> iconFor(const std::string& path, int size) override;
};

}  // namespace quorvane
