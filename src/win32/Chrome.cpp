#include "win32/Chrome.h"

#include "xpbutton/Canvas.h"

namespace quorvane::win32 {

std::int16_t mouseButtonState(WPARAM keys) {
    std::int16_t state = 0;
    if (keys & MK_LBUTTON) state |= 1;
    if (keys & MK_RBUTTON) state |= 2;
    if (keys & MK_MBUTTON) state |= 4;
    if (keys & (MK_XBUTTON1 | MK_XBUTTON2)) state |= 8;
    return state;
}

void FormDrag(std::int16_t button, HWND window) {
    if (button != 1) return;
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void PaintGradient(HDC dc, int width, int height, std::uint32_t colour, std::int32_t steps, std::int16_t stepSize) {
    for (const GradientBand& band : gradientBands(height, colour, steps, stepSize)) {
        const RECT rect{0, band.top, width, band.bottom};
        const HBRUSH brush = ::CreateSolidBrush(band.colour);
        ::FillRect(dc, &rect, brush);
        ::DeleteObject(brush);
    }
}

void PutCanvas(HDC dc, const Canvas& canvas, int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvas.width();
    info.bmiHeader.biHeight = -canvas.height();  // rows top to bottom, as the canvas keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(canvas.width()), static_cast<DWORD>(canvas.height()), 0, 0, 0,
                        static_cast<UINT>(canvas.height()), canvas.data(), &info, DIB_RGB_COLORS);
}

HRGN RegionWithoutCorners(int width, int height) {
    const HRGN region = ::CreateRectRgn(0, 0, width, height);
    const POINT corners[] = {{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}};
    for (const POINT& corner : corners) {
        const HRGN pixel = ::CreateRectRgn(corner.x, corner.y, corner.x + 1, corner.y + 1);
        ::CombineRgn(region, region, pixel, RGN_DIFF);
        ::DeleteObject(pixel);
    }
    return region;
}

}  // namespace quorvane::win32
