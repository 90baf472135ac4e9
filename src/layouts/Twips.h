#pragma once

namespace quorvane {

// Lengths of the window layouts are twips, 1440 to the inch; at 96 dots per inch 15 make a pixel.
inline constexpr int kTwipsPerInch = 1440;

inline constexpr int twipsToPixels(int twips, int dpi) {
    // Rounded to the nearest pixel, as the layouts' values are whole pixels at 96 dpi.
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled >= 0 ? scaled + kTwipsPerInch / 2 : scaled - kTwipsPerInch / 2) / kTwipsPerInch);
}

}  // namespace quorvane
