#pragma once

#include "xpbutton/Canvas.h"

namespace quorvane::xpcolours {

// Every colour of the button's looks. Gradients give their first colour, the limit that stops them
// and the step they take per row (applied while the limit's test on blue holds).

// Normal face (also under the hover and focus edges).
inline constexpr Rgb kFaceGradientStart{255, 255, 253};
inline constexpr int kFaceGradientStopBlue = 229;  // steps while blue > 229, ending at (231, 231, 229)
inline constexpr Rgb kFaceGradientStep{-1, -1, -1};
inline constexpr Rgb kFaceBottom{214, 208, 197};       // row H - 2
inline constexpr Rgb kFaceBottomInner{226, 223, 214};  // row H - 3
inline constexpr Rgb kFaceBottomLight{236, 235, 230};  // row H - 4

// Pressed face.
inline constexpr Rgb kPressedBandStart{239, 238, 231};
inline constexpr int kPressedBandLastStepBlue = 218;  // steps while blue >= 218, ending at (225, 224, 217)
inline constexpr Rgb kPressedBandStep{-1, -1, -1};
inline constexpr Rgb kPressedTop{209, 204, 192};          // row 1
inline constexpr Rgb kPressedTopInner{220, 216, 207};     // row 2
inline constexpr Rgb kPressedBottomInner{234, 233, 227};  // row H - 3
inline constexpr Rgb kPressedBottom{242, 241, 238};       // row H - 2

// Disabled look.
inline constexpr Rgb kDisabledFill{245, 244, 234};
inline constexpr Rgb kDisabledFrame{201, 199, 186};
inline constexpr Rgb kDisabledCornerOuter{216, 213, 199};
inline constexpr Rgb kDisabledCornerInner{234, 233, 222};

// Border of every enabled look.
inline constexpr Rgb kFrameBlue{0, 60, 116};
inline constexpr Rgb kCornerGreyBlue{122, 149, 168};
inline constexpr Rgb kCornerInnerBlue{37, 87, 131};

// Hover edge.
inline constexpr Rgb kHoverTop{255, 240, 207};       // row 1
inline constexpr Rgb kHoverTopInner{253, 216, 137};  // row 2
inline constexpr Rgb kHoverOuterStart{254, 223, 154};
inline constexpr int kHoverOuterLastStepBlue = 49;  // steps while blue >= 49, ending at (238, 175, 42)
inline constexpr Rgb kHoverOuterStep{-1, -3, -7};
inline constexpr Rgb kHoverInnerStart{252, 210, 121};
inline constexpr int kHoverInnerStopBlue = 56;  // steps while blue > 56, ending at (243, 174, 49)
inline constexpr Rgb kHoverInnerStep{-1, -4, -8};
inline constexpr Rgb kHoverBottom{229, 151, 0};  // row H - 2

// Focus edge.
inline constexpr Rgb kFocusTop{206, 231, 251};       // row 1
inline constexpr Rgb kFocusTopInner{188, 212, 246};  // row 2
inline constexpr Rgb kFocusGradientStart{186, 211, 246};
inline constexpr int kFocusGradientStopBlue = 227;  // steps while blue > 227, ending at (110, 154, 227)
inline constexpr Rgb kFocusGradientStep{-4, -3, -1};
inline constexpr Rgb kFocusBottom{97, 125, 229};     // row H - 2
inline constexpr Rgb kFocusBottomEnd{77, 125, 193};  // the end pixels of row H - 2

// Caption of a disabled button, whatever its ForeColor.
inline constexpr Rgb kDisabledCaption{161, 161, 146};

}  // namespace quorvane::xpcolours
