#include "protect/ShellIcon.h"

#include <limits>

#include "platform/Error.h"
#include "platform/ShellIcons.h"
#include "windows/PictureBox.h"
#include "windows/ScreenTwips.h"

namespace quorvane {

namespace {
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
constexpr int kTwipsPerPixel = 15;  // fixed here: the box size does not follow the screen's resolution
}  // namespace

void DrawShellIcon(ShellIcons& icons, const QString& path, PictureBox* box, std::int16_t size) {
    const auto icon = icons.iconFor(path, size == kSmallIcon ? kSmallIcon : kLargeIcon);
    if (!icon) return;

    const int extent = size * kTwipsPerPixel;
    if (extent > std::numeric_limits<std::int16_t>::max() || extent < std::numeric_limits<std::int16_t>::min())
        throw PlatformError(errc::Overflow, describeError(errc::Overflow));

    const int pixels = twips(extent, box);
    box->resize(box->width(), pixels);
    box->resize(pixels, pixels);
    box->clearPicture();
    box->drawImage(*icon, 0, 0);
    box->repaint();
}

}  // namespace quorvane
