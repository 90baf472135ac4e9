#include "win32/ShellIcons.h"

#include <windows.h>
// after the Windows types
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

// A size x size 32-bit bitmap filled with one colour, with the image list's icon drawn on it.
std::vector<std::uint32_t> drawnOn(HIMAGELIST list, int icon, int size, std::uint32_t background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap) {
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        std::fill(bits, bits + size * size, background);
        ::ImageList_Draw(list, icon, dc, 0, 0, ILD_TRANSPARENT);
        ::GdiFlush();
        pixels.assign(bits, bits + size * size);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(dc);
    return pixels;
}

}  // namespace

std::optional<IconImage> ShellIconsWin32::iconFor(const std::string& path, int size) {
    const auto wide = win32::toWide(path);
    if (!wide || wide->empty() || size <= 0) return std::nullopt;
    SHFILEINFOW info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE | (size == 16 ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    // No attributes stand in for the file: the shell looks at the real file or folder.
    const auto list = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(wide->c_str(), 0, &info, sizeof info, flags));
    if (!list) return std::nullopt;
    // Drawn once on black and once on white, the two show each pixel's coverage: the icon's own
    // transparency, whatever way the image list blends it.
    const std::vector<std::uint32_t> onBlack = drawnOn(list, info.iIcon, size, 0x00000000);
    const std::vector<std::uint32_t> onWhite = drawnOn(list, info.iIcon, size, 0x00FFFFFF);
    if (onBlack.empty() || onWhite.empty()) return std::nullopt;
    IconImage picture;
    picture.width = size;
    picture.height = size;
    picture.pixels.resize(onBlack.size());
    for (std::size_t i = 0; i < onBlack.size(); ++i) {
        const int coverage = 255 - static_cast<int>(((onWhite[i] >> 8) & 0xFF) - ((onBlack[i] >> 8) & 0xFF));
        const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(coverage, 0, 255));
        picture.pixels[i] = (alpha << 24) | (onBlack[i] & 0x00FFFFFF);
    }
    return picture;
}

}  // namespace quorvane
