// The frameless windows' chrome in device pixels: the gradient's bands, a canvas put on screen one
// pixel to one, the corner-less region, and which mouse states start a drag.
#include <gtest/gtest.h>

#include <vector>

#include "win32/Chrome.h"
#include "xpbutton/Canvas.h"

namespace quorvane::win32 {
namespace {

// A 32-bit top-down bitmap selected into a memory device context; pixels read as 0x00RRGGBB.
class Surface {
public:
    Surface(int width, int height) : m_width(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~Surface() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    std::uint32_t at(int x, int y) const {
        ::GdiFlush();
        return m_bits[static_cast<std::size_t>(y) * m_width + x] & 0xFFFFFF;
    }

private:
    int m_width;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

TEST(Win32Chrome, TheMainWindowsGradientHasItsTwentyBandsExactly) {
    // 436 pixels high at 96 dpi: band bottoms 22, 44, 65, ... 436; colours (145 - 2k, 177 - 2k, 166 - 2k).
    const int bottoms[] = {22,  44,  65,  87,  109, 131, 153, 174, 196, 218,
                           240, 262, 283, 305, 327, 349, 371, 392, 414, 436};
    Surface surface(5, 436);
    PaintGradient(surface.dc(), 5, 436, 0x00A4AF8F, 20, 2);
    int top = 0;
    for (int k = 1; k <= 20; ++k) {
        const std::uint32_t rgb = (static_cast<std::uint32_t>(145 - 2 * k) << 16) |
                                  (static_cast<std::uint32_t>(177 - 2 * k) << 8) |
                                  static_cast<std::uint32_t>(166 - 2 * k);
        const int bottom = bottoms[k - 1];
        EXPECT_EQ(surface.at(0, top), rgb) << "band " << k << " top";
        EXPECT_EQ(surface.at(4, bottom - 1), rgb) << "band " << k << " bottom";
        top = bottom;
    }
    EXPECT_EQ(surface.at(2, 0), 0x8FAFA4u);  // the windows' base colour 143, 175, 164
}

TEST(Win32Chrome, ACanvasLandsOnePixelToOne) {
    Canvas canvas(3, 2);
    canvas.fill(Rgb{1, 2, 3});
    canvas.pixel(2, 1, Rgb{250, 128, 7});
    canvas.pixel(0, 1, Rgb{0, 0, 255});
    Surface surface(6, 4);
    PutCanvas(surface.dc(), canvas, 2, 1);
    const struct {
        int x, y;
        std::uint32_t expected;
    } cases[] = {{2, 1, 0x010203}, {4, 1, 0x010203}, {4, 2, 0xFA8007}, {2, 2, 0x0000FF}, {1, 1, 0}, {5, 3, 0}};
    for (const auto& c : cases) EXPECT_EQ(surface.at(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(Win32Chrome, TheRegionLeavesOutTheFourCornerPixelsOnly) {
    const HRGN region = RegionWithoutCorners(77, 26);
    const struct {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, false}, {76, 0, false}, {0, 25, false}, {76, 25, false}, {1, 0, true},
                 {0, 1, true},  {75, 25, true}, {76, 24, true}, {38, 13, true},  {77, 13, false}};
    for (const auto& c : cases) EXPECT_EQ(::PtInRegion(region, c.x, c.y) != FALSE, c.inside) << c.x << "," << c.y;
    ::DeleteObject(region);
}

TEST(Win32Chrome, OnlyTheLeftButtonAloneStartsADrag) {
    const struct {
        WPARAM keys;
        std::int16_t state;
    } cases[] = {
        {MK_LBUTTON, 1},
        {MK_LBUTTON | MK_SHIFT | MK_CONTROL, 1},  // the keys held do not count
        {MK_RBUTTON, 2},
        {MK_MBUTTON, 4},
        {MK_LBUTTON | MK_RBUTTON, 3},
        {MK_LBUTTON | MK_XBUTTON1, 9},
        {0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(mouseButtonState(c.keys), c.state) << c.keys;
}

}  // namespace
}  // namespace quorvane::win32
