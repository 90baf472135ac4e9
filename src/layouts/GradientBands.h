#pragma once

#include <cstdint>
#include <vector>

namespace quorvane {

// One horizontal band of the window background: rows top (inclusive) to bottom (exclusive), in one
// colour 0x00BBGGRR.
struct GradientBand {
    int top = 0;
    int bottom = 0;
    std::uint32_t colour = 0;
    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

inline constexpr std::uint32_t kGradientColour = 0x00FF0000;  // pure blue
inline constexpr std::int32_t kGradientSteps = 64;
inline constexpr std::int16_t kGradientStepSize = 4;

// The bands of a gradient over an inner area `height` pixels high, darker towards the bottom.
// The band height is kept as a 32-bit float, and each bottom is the exact product of the band
// number and that float, rounded half to even: so bottoms can differ by one from those of the
// decimal band height. Each non-zero component of `colour` falls by `stepSize` per band, modulo 256.
// Throws PlatformError: division by zero for `steps` 0, overflow for `steps` past 32767.
// Negative `steps` give no bands.
std::vector<GradientBand> gradientBands(int height, std::uint32_t colour = kGradientColour,
                                        std::int32_t steps = kGradientSteps, std::int16_t stepSize = kGradientStepSize);

}  // namespace quorvane
