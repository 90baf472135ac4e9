// The picture box as the actions use it: its size in twips at the window's DPI, and the persistent
// image that what is drawn stays in, drawn over with its transparency ("over", premultiplied).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/ShellIcons.h"
#include "win32/PictureBoxWin32.h"

namespace quorvane::win32 {
namespace {

// A box of its own on the desktop, 40 x 30 pixels, its background 10, 20, 30.
struct Box {
    Box() {
        CreateArgs args;
        args.style = WS_POPUP;
        args.x = 0, args.y = 0, args.width = 40, args.height = 30;
        made = box.make(args, RGB(10, 20, 30));
    }
    PictureBoxWin32 box;
    bool made = false;
};

SIZE outerSize(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(PictureBoxWin32, TheSizeFollowsTwipsAtTheWindowsDpi) {
    Box b;
    ASSERT_TRUE(b.made);
    const int dpi = static_cast<int>(::GetDpiForWindow(b.box.hwnd()));
    b.box.setHeight(480);
    EXPECT_EQ(outerSize(b.box.hwnd()).cy, 480 * dpi / 1440);
    EXPECT_EQ(outerSize(b.box.hwnd()).cx, 40) << "the width stays";
    b.box.setWidth(720);
    EXPECT_EQ(outerSize(b.box.hwnd()).cx, 720 * dpi / 1440);
    EXPECT_EQ(outerSize(b.box.hwnd()).cy, 480 * dpi / 1440);
}

TEST(PictureBoxWin32, DrawingKeepsWhatIsThereWhereThePictureIsTransparent) {
    Box b;
    ASSERT_TRUE(b.made);
    // Opaque red, half-covering green (premultiplied), and clear.
    IconImage picture{3, 1, {0xFFFF0000u, 0x80008000u, 0x00000000u}};
    b.box.drawPicture(picture, 1, 2);
    ASSERT_TRUE(b.box.picture());
    const Picture& image = *b.box.picture();
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 30);
    const std::uint32_t background = 0xFF0A141Eu;
    const struct {
        const char* name;
        int x, y;
        std::uint32_t expected;
    } cases[] = {
        {"untouched", 0, 0, background},
        {"opaque", 1, 2, 0xFFFF0000u},
        // 0x80 of green over 127/255 of the background, rounded: red 5, green 128 + 10, blue 15.
        {"half", 2, 2, 0xFF058A0Fu},
        {"clear", 3, 2, background},
    };
    for (const auto& c : cases) EXPECT_EQ(image.at(c.x, c.y), c.expected) << c.name;

    // Drawn over again, the earlier drawing shows through.
    b.box.drawPicture(IconImage{1, 1, {0x00000000u}}, 1, 2);
    EXPECT_EQ(b.box.picture()->at(1, 2), 0xFFFF0000u);
    // Parts outside the box are left out.
    b.box.drawPicture(IconImage{2, 1, {0xFF00FF00u, 0xFF00FF00u}}, 39, 29);
    EXPECT_EQ(b.box.picture()->at(39, 29), 0xFF00FF00u);

    b.box.clearPicture();
    EXPECT_FALSE(b.box.picture()) << "the background only";
}

}  // namespace
}  // namespace quorvane::win32
