#include "win32/ShellIcons.h"

#include <windows.h>
// after the Windows types
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commoncontrols.h>

#include <algorithm>

#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

// A width x height 32-bit bitmap filled with one colour, with the image list's icon drawn on it.
std::vector<std::uint32_t> drawnOn(HIMAGELIST list, int icon, int width, int height, std::uint32_t background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap) {
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        std::fill(bits, bits + width * height, background);
        ::ImageList_Draw(list, icon, dc, 0, 0, ILD_TRANSPARENT);
        ::GdiFlush();
        pixels.assign(bits, bits + width * height);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(dc);
    return pixels;
}

// The icon `index` of the image list at the list's own size, transparent around it.
std::optional<IconImage> pictureOf(HIMAGELIST list, int index, int fallbackSize) {
    int width = fallbackSize;
    int height = fallbackSize;
    if (!::ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0) width = height = fallbackSize;
    // Drawn once on black and once on white, the two show each pixel's coverage: the icon's own
    // transparency, whatever way the image list blends it.
    const std::vector<std::uint32_t> onBlack = drawnOn(list, index, width, height, 0x00000000);
    const std::vector<std::uint32_t> onWhite = drawnOn(list, index, width, height, 0x00FFFFFF);
    if (onBlack.empty() || onWhite.empty()) return std::nullopt;
    IconImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(onBlack.size());
    for (std::size_t i = 0; i < onBlack.size(); ++i) {
        const int coverage = 255 - static_cast<int>(((onWhite[i] >> 8) & 0xFF) - ((onBlack[i] >> 8) & 0xFF));
        const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(coverage, 0, 255));
        picture.pixels[i] = (alpha << 24) | (onBlack[i] & 0x00FFFFFF);
    }
    return picture;
}

// The system image list's entry for a path (the large list's handle, or the small one's), or null.
HIMAGELIST lookUp(const std::string& path, bool small, int& index) {
    const auto wide = win32::toWide(path);
    if (!wide || wide->empty()) return nullptr;
    SHFILEINFOW info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    // No attributes stand in for the file: the shell looks at the real file or folder.
    const auto list = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(wide->c_str(), 0, &info, sizeof info, flags));
    index = info.iIcon;
    return list;
}

}  // namespace

std::optional<IconImage> ShellIconsWin32::iconFor(const std::string& path, int size) {
    if (size <= 0) return std::nullopt;
    int index = 0;
    const HIMAGELIST list = lookUp(path, size == 16, index);
    if (!list) return std::nullopt;
    // At the image list's own size, as the shell draws it: 48 pixels where the system runs at 144
    // dots per inch, never cut down to the 32 asked for.
    return pictureOf(list, index, size);
}

std::optional<IconImage> ShellIconsWin32::largeIconAtDpi(const std::string& path, int dpi) {
    int index = 0;
    HIMAGELIST list = lookUp(path, false, index);
    if (!list) return std::nullopt;
    // The system's large icons are made for the DPI it started at; the shell keeps the same icons
    // in lists of other sizes, under the same index, one of which may fit this DPI exactly.
    const int wanted = ::GetSystemMetricsForDpi(SM_CXICON, static_cast<UINT>(dpi));
    int width = 0;
    int height = 0;
    if (::ImageList_GetIconSize(list, &width, &height) && width != wanted) {
        for (const int kind : {SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
            IImageList* other = nullptr;
            if (FAILED(::SHGetImageList(kind, __uuidof(IImageList), reinterpret_cast<void**>(&other))) || !other) continue;
            const auto handle = reinterpret_cast<HIMAGELIST>(other);
            if (::ImageList_GetIconSize(handle, &width, &height) && width == wanted) {
                list = handle;
                other->Release();  // the shell keeps its lists for the process's life
                break;
            }
            other->Release();
        }
    }
    return pictureOf(list, index, wanted);
}

}  // namespace quorvane
