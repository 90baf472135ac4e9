#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

class PictureBoxView;
class ShellIcons;

// Paints the shell's icon for `path` into `box`: the box becomes size × 15 twips square, is
// cleared, and shows the icon at its top-left corner (16 selects the small icons, anything else
// the large ones). A path the shell knows nothing of leaves the box untouched. A size whose
// product with 15 leaves the 16-bit range fails with an overflow before the box changes.
void DrawShellIcon(ShellIcons& icons, const std::string& path, PictureBoxView& box, std::int16_t size);

}  // namespace quorvane
