// The gradient's bands: bottoms from the 32-bit band height, colours falling modulo 256.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Error.h"
#include "layouts/GradientBands.h"

namespace quorvane {
namespace {

std::vector<int> bottoms(const std::vector<GradientBand>& bands) {
    std::vector<int> result;
    for (const GradientBand& b : bands) result.push_back(b.bottom);
    return result;
}

TEST(GradientBandsTest, BottomsFollowTheSinglePrecisionBandHeight) {
    struct Case {
        const char* name;
        int height;
        std::vector<int> bottoms;
    };
    const Case cases[] = {
        {"main window", 436, {22,  44,  65,  87,  109, 131, 153, 174, 196, 218,
                              240, 262, 283, 305, 327, 349, 371, 392, 414, 436}},
        // Band 5 ends at 47: 5 x 9.3000002 is just above 46.5.
        {"list window", 186, {9, 19, 28, 37, 47, 56, 65, 74, 84, 93, 102, 112, 121, 130, 140, 149, 158, 167, 177, 186}},
    };
    for (const Case& c : cases) {
        const auto bands = gradientBands(c.height, 0x00A4AF8F, 20, 2);
        EXPECT_EQ(bottoms(bands), c.bottoms) << c.name;
        ASSERT_EQ(bands.size(), 20u) << c.name;
        EXPECT_EQ(bands.front().top, 0) << c.name;
        for (std::size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].top, bands[i - 1].bottom) << c.name << i;
    }
}

TEST(GradientBandsTest, TheWindowsBandsRunFromTheBackgroundColourDownByTwo) {
    const auto bands = gradientBands(436, 0x00A4AF8F, 20, 2);
    EXPECT_EQ(bands.front().colour, 0x00A4AF8Fu);                      // 143, 175, 164
    EXPECT_EQ(bands[1].colour, 0x00A2AD8Du);                           // 141, 173, 162
    EXPECT_EQ(bands.back().colour, 105u + 137u * 256 + 126u * 65536);  // 105, 137, 126
}

TEST(GradientBandsTest, DefaultsGiveSixtyFourBluesWithRedAndGreenAtZero) {
    const auto bands = gradientBands(128);
    ASSERT_EQ(bands.size(), 64u);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].colour, static_cast<std::uint32_t>(255 - 4 * i) << 16) << i;
        EXPECT_EQ(bands[i].bottom, static_cast<int>(2 * (i + 1))) << i;
    }
    EXPECT_EQ(bands.back().colour, 3u << 16);
}

TEST(GradientBandsTest, AComponentWrapsBelowZero) {
    const auto bands = gradientBands(60, 10, 6, 4);
    const std::vector<std::uint32_t> reds = {10, 6, 2, 254, 250, 246};
    ASSERT_EQ(bands.size(), reds.size());
    for (std::size_t i = 0; i < reds.size(); ++i) EXPECT_EQ(bands[i].colour, reds[i]) << i;
}

TEST(GradientBandsTest, StepsOutsideTheirRangeFailOrPaintNothing) {
    try {
        gradientBands(100, 0, 0, 4);
        FAIL() << "no failure for 0 steps";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), 11);
        EXPECT_EQ(e.description(), "Division by zero");
    }
    try {
        gradientBands(100, 0, 32768, 4);
        FAIL() << "no failure for 32768 steps";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_TRUE(gradientBands(100, 0, -3, 4).empty());
    EXPECT_EQ(gradientBands(100, 0, 32767, 4).size(), 32767u);
}

}  // namespace
}  // namespace quorvane
