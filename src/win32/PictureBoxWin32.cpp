#include "win32/PictureBoxWin32.h"

#include <algorithm>

#include "layouts/Twips.h"
#include "platform/ShellIcons.h"
#include "win32/ShellIcons.h"

namespace quorvane::win32 {

namespace {

constexpr WindowClass kPictureBoxClass{L"QuorvanePictureBox"};

}  // namespace

bool PictureBoxWin32::make(const CreateArgs& args, COLORREF background) {
    m_background = background;
    if (!create(kPictureBoxClass, args)) return false;
    m_dpi = static_cast<int>(::GetDpiForWindow(hwnd()));
    return true;
}

void PictureBoxWin32::setPicture(std::optional<Picture> picture) {
    m_iconPath.reset();
    m_picture = std::move(picture);
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureBoxWin32::setHeight(int twips) {
    m_heightTwips = twips;
    RECT outer{};
    ::GetWindowRect(hwnd(), &outer);
    const int height = twipsToPixels(twips, m_dpi);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBoxWin32::setWidth(int twips) {
    m_widthTwips = twips;
    RECT outer{};
    ::GetWindowRect(hwnd(), &outer);
    const int width = twipsToPixels(twips, m_dpi);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBoxWin32::drawIconAgain() {
    if (!m_iconPath || !hwnd()) return;
    const std::string path = *m_iconPath;
    const auto icon = ShellIconsWin32::largeIconAtDpi(path, m_dpi);
    if (!icon) return;  // gone meanwhile: the box keeps what it shows
    clearPicture();
    drawPicture(*icon, 0, 0);
    refresh();
    m_iconPath = path;
}

void PictureBoxWin32::clearPicture() {
    m_iconPath.reset();
    m_picture.reset();
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureBoxWin32::drawPicture(const IconImage& picture, int x, int y) {
    // The persistent image is the client area, opaque in the background colour until drawn on.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (!m_picture || m_picture->width != client.right || m_picture->height != client.bottom) {
        Picture image;
        image.width = client.right;
        image.height = client.bottom;
        const std::uint32_t background =
            0xFF000000u | (GetRValue(m_background) << 16) | (GetGValue(m_background) << 8) | GetBValue(m_background);
        image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, background);
        if (m_picture) {
            // What was drawn before stays where it still fits.
            for (int row = 0; row < std::min(image.height, m_picture->height); ++row)
                for (int col = 0; col < std::min(image.width, m_picture->width); ++col)
                    image.pixels[static_cast<std::size_t>(row) * image.width + col] = m_picture->at(col, row);
        }
        m_picture = std::move(image);
    }
    // Premultiplied "over": source plus what shows through its transparency.
    for (int row = 0; row < picture.height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= m_picture->height) continue;
        for (int col = 0; col < picture.width; ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= m_picture->width) continue;
            const std::uint32_t s = picture.pixels[static_cast<std::size_t>(row) * picture.width + col];
            std::uint32_t& d = m_picture->pixels[static_cast<std::size_t>(ty) * m_picture->width + tx];
            const std::uint32_t keep = 255 - (s >> 24);
            std::uint32_t out = 0;
            for (int shift : {0, 8, 16, 24}) {
                const std::uint32_t channel = ((s >> shift) & 0xFF) + (((d >> shift) & 0xFF) * keep + 127) / 255;
                out |= std::min<std::uint32_t>(channel, 255) << shift;
            }
            d = out;
        }
    }
}

void PictureBoxWin32::refresh() {
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ::UpdateWindow(hwnd());
}

void PictureBoxWin32::paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const HBRUSH brush = ::CreateSolidBrush(m_background);
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
    if (m_picture) win32::drawPicture(dc, *m_picture, 0, 0);
}

LRESULT PictureBoxWin32::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            paint(::BeginPaint(hwnd(), &ps));
            ::EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            ::SetFocus(hwnd());
            return 0;
        default:
            return Wnd::WndProc(message, wParam, lParam);
    }
}

}  // namespace quorvane::win32
