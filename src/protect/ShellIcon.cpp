#include "protect/ShellIcon.h"

#include <limits>

#include "platform/Error.h"
#include "platform/ShellIcons.h"
#include "layouts/PictureBoxView.h"

namespace quorvane {

namespace {
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
constexpr int kTwipsPerPixel = 15;  // fixed here: the box size does not follow the screen's resolution
}  // namespace

void DrawShellIcon(ShellIcons& icons, const std::string& path, PictureBoxView& box, std::int16_t size) {
    const auto icon = icons.iconFor(path, size == kSmallIcon ? kSmallIcon : kLargeIcon);
    if (!icon) return;

    const int extent = size * kTwipsPerPixel;
    if (extent > std::numeric_limits<std::int16_t>::max() || extent < std::numeric_limits<std::int16_t>::min())
        throw PlatformError(errc::Overflow, describeError(errc::Overflow));

    box.setHeight(extent);
    box.setWidth(extent);
    box.clearPicture();
    box.drawPicture(*icon, 0, 0);
    box.refresh();
    box.showsIconOf(path);
}

}  // namespace quorvane
