#pragma once

#include <cstdint>

namespace quorvane {

// A rectangle as left, top, right, bottom; right and bottom lie just outside it.
struct TextRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(const TextRect&, const TextRect&) = default;
};

// Nearest integer, exact halves to the even neighbour (5.5 -> 6, 6.5 -> 6, -0.5 -> 0).
int roundHalfEven(float value);

// Where the caption is drawn: the full width, and `textHeight` (the measured height of the
// word-wrapped caption) centred vertically in `scaleHeight`, computed in single precision.
TextRect captionRect(float scaleWidth, float scaleHeight, int textHeight);

// The caption's colour (0x00BBGGRR or a system colour reference, passed on unchanged): grey when
// disabled, ForeHover while the pointer is over the button, else ForeColor.
std::uint32_t captionColour(bool enabled, bool hovering, std::uint32_t foreColor, std::uint32_t foreHover);

}  // namespace quorvane
