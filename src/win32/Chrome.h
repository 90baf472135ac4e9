#pragma once

#include <windows.h>

#include <cstdint>

#include "layouts/GradientBands.h"

namespace quorvane {
class Canvas;
}

namespace quorvane::win32 {

// The mouse buttons held during a mouse message (its wParam): 1 left, 2 right, 4 middle, summed;
// the extra buttons count as well, so that a drag starts with the left button alone.
std::int16_t mouseButtonState(WPARAM keys);

// A drag of a frameless window by its surface: with exactly the left button held, the system's own
// move loop takes the window (as if its title bar had been pressed) until the button is released.
void FormDrag(std::int16_t button, HWND window);

// The background's bands over `width` x `height` device pixels, each filled with its own brush.
void PaintGradient(HDC dc, int width, int height, std::uint32_t colour = kGradientColour,
                   std::int32_t steps = kGradientSteps, std::int16_t stepSize = kGradientStepSize);

// The canvas put on the device context at (x, y), one canvas pixel to one device pixel.
void PutCanvas(HDC dc, const Canvas& canvas, int x, int y);

// A width x height rectangle without its four corner pixels, for SetWindowRgn (which then owns it).
HRGN RegionWithoutCorners(int width, int height);

}  // namespace quorvane::win32
