#include "xpbutton/CaptionLayout.h"

#include <cmath>

#include "xpbutton/ButtonColours.h"

namespace quorvane {

int roundHalfEven(float value) {
    // Written out rather than left to the floating-point environment's rounding mode.
    const float down = std::floor(value);
    const float fraction = value - down;
    float result = down;
    if (fraction > 0.5f) {
        result = down + 1.0f;
    } else if (fraction == 0.5f) {
        result = std::fmod(down, 2.0f) == 0.0f ? down : down + 1.0f;
    }
    return static_cast<int>(result);
}

TextRect captionRect(float scaleWidth, float scaleHeight, int textHeight) {
    const float h = static_cast<float>(textHeight);
    return TextRect{
        .left = 0,
        .top = roundHalfEven(scaleHeight * 0.5f - h * 0.5f),
        .right = roundHalfEven(scaleWidth),
        .bottom = roundHalfEven(scaleHeight * 0.5f + h * 0.5f),
    };
}

std::uint32_t captionColour(bool enabled, bool hovering, std::uint32_t foreColor, std::uint32_t foreHover) {
    if (!enabled) return colorRefOf(xpcolours::kDisabledCaption);
    return hovering ? foreHover : foreColor;
}

}  // namespace quorvane
