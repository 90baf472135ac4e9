#include "layouts/GradientBands.h"

#include <cmath>
#include <limits>

#include "platform/Error.h"

namespace quorvane {

namespace {

// Rounds to the nearest integer, ties to the even one, whatever the floating-point rounding mode.
long long roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

}  // namespace

std::vector<GradientBand> gradientBands(int height, std::uint32_t colour, std::int32_t steps, std::int16_t stepSize) {
    if (steps == 0) throw PlatformError(errc::DivisionByZero, describeError(errc::DivisionByZero));
    if (steps > std::numeric_limits<std::int16_t>::max())
        throw PlatformError(errc::Overflow, describeError(errc::Overflow));
    std::vector<GradientBand> bands;
    if (steps < 0) return bands;

    const auto bandHeight = static_cast<float>(static_cast<double>(height) / steps);
    std::int32_t red = static_cast<std::int32_t>(colour & 255);
    std::int32_t green = static_cast<std::int32_t>((colour / 256) & 255);
    std::int32_t blue = static_cast<std::int32_t>((colour / 65536) & 255);
    const std::int32_t redStep = red > 0 ? stepSize : 0;
    const std::int32_t greenStep = green > 0 ? stepSize : 0;
    const std::int32_t blueStep = blue > 0 ? stepSize : 0;

    bands.reserve(static_cast<std::size_t>(steps));
    int top = 0;
    for (std::int16_t i = 1; i <= steps; ++i) {
        const auto bottom = static_cast<int>(roundHalfEven(static_cast<double>(i) * static_cast<double>(bandHeight)));
        bands.push_back({top, bottom,
                         static_cast<std::uint32_t>(red) + 256u * static_cast<std::uint32_t>(green) +
                             65536u * static_cast<std::uint32_t>(blue)});
        red = (red - redStep) & 255;
        green = (green - greenStep) & 255;
        blue = (blue - blueStep) & 255;
        top = bottom;
        if (i == std::numeric_limits<std::int16_t>::max()) break;
    }
    return bands;
}

}  // namespace quorvane
