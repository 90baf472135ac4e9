// Where the caption goes: the text rectangle in single precision with halves rounded to even,
// and the caption's colour by state.
#include <gtest/gtest.h>

#include "xpbutton/CaptionLayout.h"

namespace quorvane {
namespace {

TEST(CaptionLayoutTest, RectangleCentresTheMeasuredHeight) {
    struct Case {
        const char* name;
        float width, height;
        int textHeight;
        TextRect expected;
    };
    const Case cases[] = {
        {"13-pixel line: round(6.5) = 6, round(19.5) = 20", 101.0f, 26.0f, 13, {0, 6, 101, 20}},
        {"15-pixel line: round(5.5) = 6, round(20.5) = 20", 101.0f, 26.0f, 15, {0, 6, 101, 20}},
        {"14 pixels: no halves", 101.0f, 26.0f, 14, {0, 6, 101, 20}},
        {"two 13-pixel lines", 101.0f, 26.0f, 26, {0, 0, 101, 26}},
        {"11 pixels: 7.5 -> 8, 18.5 -> 18", 80.0f, 26.0f, 11, {0, 8, 80, 18}},
        {"taller than the button: negative top", 40.0f, 21.0f, 39, {0, -9, 40, 30}},
        {"odd height 21, 13-pixel line: 4 and 17", 40.0f, 21.0f, 13, {0, 4, 40, 17}},
        {"nothing measured", 10.0f, 26.0f, 0, {0, 13, 10, 13}},
    };
    for (const Case& c : cases) EXPECT_EQ(captionRect(c.width, c.height, c.textHeight), c.expected) << c.name;
}

TEST(CaptionLayoutTest, HalvesRoundToTheEvenNeighbour) {
    const std::pair<float, int> cases[] = {{0.5f, 0},   {1.5f, 2},   {2.5f, 2},   {5.5f, 6},   {6.5f, 6},
                                           {19.5f, 20}, {20.5f, 20}, {-0.5f, 0},  {-1.5f, -2}, {-2.5f, -2},
                                           {2.4f, 2},   {2.6f, 3},   {-2.6f, -3}, {7.0f, 7}};
    for (auto [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(CaptionLayoutTest, ColourByState) {
    constexpr std::uint32_t fore = 0x00C0C0C0;
    constexpr std::uint32_t hover = 0x006B7955;
    EXPECT_EQ(captionColour(false, false, fore, hover), 0x0092A1A1u);  // (161, 161, 146)
    EXPECT_EQ(captionColour(false, true, fore, hover), 0x0092A1A1u);
    EXPECT_EQ(captionColour(true, true, fore, hover), hover);
    EXPECT_EQ(captionColour(true, false, fore, hover), fore);
    EXPECT_EQ(captionColour(true, false, 0x80000012u, hover), 0x80000012u);  // system colours pass unchanged
}

}  // namespace
}  // namespace quorvane
