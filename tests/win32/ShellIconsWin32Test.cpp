// The shell's icons for paths, as the system image list draws them: what the shell's own icon for
// the path shows, pixel for pixel, at the list's size; nothing for a path the shell does not know.
#include <gtest/gtest.h>
#include <windows.h>
// after the Windows types
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "win32/ShellIcons.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// The shell's icon handle for the path drawn on black: the colours the picture must carry.
std::vector<std::uint32_t> shellIconOnBlack(const std::string& path, int size) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_SHELLICONSIZE | (size == 16 ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    if (!::SHGetFileInfoW(win32::toWide(path)->c_str(), 0, &info, sizeof info, flags)) return {};
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof bmi.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC dc = ::CreateCompatibleDC(nullptr);
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    std::fill(bits, bits + size * size, 0u);
    ::DrawIconEx(dc, 0, 0, info.hIcon, 0, 0, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(bits, bits + size * size);
    for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::DestroyIcon(info.hIcon);
    return pixels;
}

TEST(ShellIconsWin32, FilesAndFoldersShowTheShellsOwnIcon) {
    const test::TempDir tmp;
    test::makeDir(tmp / "folder");
    test::writeBytes(tmp / "notes.txt", "text");
    const struct {
        const char* name;
        std::string path;
        int size;
    } cases[] = {
        {"a folder, large", tmp / "folder", 32},
        {"a folder, small", tmp / "folder", 16},
        {"a text file", tmp / "notes.txt", 32},
    };
    ShellIconsWin32 icons;
    for (const auto& c : cases) {
        const auto icon = icons.iconFor(c.path, c.size);
        ASSERT_TRUE(icon) << c.name;
        EXPECT_EQ(icon->width, c.size) << c.name;
        EXPECT_EQ(icon->height, c.size) << c.name;
        // Opaque and clear pixels exactly; the icon's soft edges may round one step apart, since the
        // image list and the icon handle blend them each their own way.
        const std::vector<std::uint32_t> expected = shellIconOnBlack(c.path, c.size);
        ASSERT_EQ(expected.size(), icon->pixels.size()) << c.name;
        int differing = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::uint32_t alpha = icon->pixels[i] >> 24;
            const std::uint32_t colour = icon->pixels[i] & 0x00FFFFFF;
            if (alpha == 0 || alpha == 255) {
                differing += colour != expected[i];
                continue;
            }
            for (int shift : {0, 8, 16}) {
                const int a = static_cast<int>((colour >> shift) & 0xFF);
                const int b = static_cast<int>((expected[i] >> shift) & 0xFF);
                differing += std::abs(a - b) > 1;
            }
        }
        EXPECT_EQ(differing, 0) << c.name;
        int opaque = 0;
        for (std::uint32_t p : icon->pixels) opaque += (p >> 24) == 0xFF;
        EXPECT_GT(opaque, 0) << c.name;
        EXPECT_LT(opaque, c.size * c.size) << c.name << ": an icon has transparent parts";
    }
    EXPECT_NE(icons.iconFor(tmp / "folder", 32)->pixels, icons.iconFor(tmp / "notes.txt", 32)->pixels);
}

TEST(ShellIconsWin32, PathsTheShellDoesNotKnowGiveNothing) {
    const test::TempDir tmp;
    const std::string cases[] = {tmp / "missing", "", tmp / "missing" + "\\deeper.txt"};
    ShellIconsWin32 icons;
    for (const std::string& path : cases) EXPECT_FALSE(icons.iconFor(path, 32)) << path;
}

}  // namespace
}  // namespace quorvane
