// Pictures decoded by the system's imaging component: the program's artwork, exact where the format
// is lossless, and drawn one pixel to one over what lies beneath.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "win32/Picture.h"

namespace quorvane::win32 {
namespace {

std::string art(const std::string& name) {
    std::ifstream in(std::string(QUORVANE_ART_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Picture, ThePngIconIsDecodedExactlyWithItsTransparency) {
    const std::string bytes = art("quorvane-32.png");
    ASSERT_FALSE(bytes.empty());
    const auto picture = decodePicture(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 32);
    EXPECT_EQ(picture->height, 32);
    const struct {
        int x, y;
        std::uint32_t expected;  // premultiplied 0xAARRGGBB
    } cases[] = {
        {0, 0, 0x00000000}, {31, 31, 0x00000000}, {10, 20, 0xFF8EAEA3}, {20, 28, 0xFFF0B632}, {16, 16, 0xFF333132},
    };
    for (const auto& c : cases) EXPECT_EQ(picture->at(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(Picture, JpegPicturesKeepTheirSizeAndAreOpaque) {
    const struct {
        const char* name;
        int width, height;
    } cases[] = {{"banner.jpg", 300, 86}, {"portrait-drawing.jpg", 105, 149}, {"portrait-photo.jpg", 89, 108}};
    for (const auto& c : cases) {
        const std::string bytes = art(c.name);
        const auto picture = decodePicture(bytes.data(), bytes.size());
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->width, c.width) << c.name;
        EXPECT_EQ(picture->height, c.height) << c.name;
        bool opaque = true;
        for (std::uint32_t p : picture->pixels) opaque = opaque && (p >> 24) == 0xFF;
        EXPECT_TRUE(opaque) << c.name;
    }
}

TEST(Picture, BytesThatAreNoPictureGiveNone) {
    const std::string cases[] = {"", "not a picture", std::string("\x89PNG\r\n\x1a\n", 8)};
    for (const std::string& bytes : cases) EXPECT_FALSE(decodePicture(bytes.data(), bytes.size())) << bytes.size();
}

TEST(Picture, TransparentPartsShowWhatLiesBeneath) {
    const std::string bytes = art("quorvane-32.png");
    const auto picture = decodePicture(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 40, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC dc = ::CreateCompatibleDC(nullptr);
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int i = 0; i < 40 * 40; ++i) bits[i] = 0x008FAFA4;
    drawPicture(dc, *picture, 4, 4);
    ::GdiFlush();
    const auto at = [&](int x, int y) { return bits[y * 40 + x] & 0xFFFFFF; };
    EXPECT_EQ(at(4, 4), 0x8FAFA4u);    // the icon's transparent corner
    EXPECT_EQ(at(14, 24), 0x8EAEA3u);  // its (10, 20)
    EXPECT_EQ(at(24, 32), 0xF0B632u);  // its (20, 28)
    EXPECT_EQ(at(3, 3), 0x8FAFA4u);    // outside
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

}  // namespace
}  // namespace quorvane::win32
