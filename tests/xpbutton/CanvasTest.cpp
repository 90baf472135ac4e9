// The pixel canvas: exactly the pixels each primitive covers, clipping at the image edge.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "xpbutton/Canvas.h"

namespace quorvane {
namespace {

constexpr Rgb kBack{1, 2, 3};
constexpr Rgb kInk{200, 100, 50};

struct PrimitiveCase {
    const char* name;
    std::function<void(Canvas&)> draw;
    std::set<std::pair<int, int>> painted;  // exactly these pixels change
};

TEST(CanvasTest, EachPrimitivePaintsExactlyItsPixels) {
    // On a 8 x 8 canvas. The comments name the pixel a naive pen would have painted as well.
    const PrimitiveCase cases[] = {
        {"line leaves out its end point (7, 1)",
         [](Canvas& c) { c.line(2, 1, 7, kInk); },
         {{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}},
        {"line drawn leftwards leaves out (2, 1)", [](Canvas& c) { c.line(5, 1, 2, kInk); }, {{3, 1}, {4, 1}, {5, 1}}},
        {"line of no length paints nothing", [](Canvas& c) { c.line(4, 4, 4, kInk); }, {}},
        {"dot is one pixel, not (3, 4) below it", [](Canvas& c) { c.dot(3, 3, kInk); }, {{3, 3}}},
        {"stroke covers (x - 1, y) and (x, y), not (x + 1, y) nor row y + 1",
         [](Canvas& c) { c.stroke(4, 2, kInk); },
         {{3, 2}, {4, 2}}},
        {"band covers rows y - 2 .. y + 1 (not y + 2) and column W - 1", [](Canvas& c) { c.band(4, kInk); },
         [] {
             std::set<std::pair<int, int>> s;
             for (int y = 2; y <= 5; ++y)
                 for (int x = 0; x < 8; ++x) s.insert({x, y});
             return s;
         }()},
        {"pixel", [](Canvas& c) { c.pixel(7, 7, kInk); }, {{7, 7}}},
        {"frame: outermost rows and columns", [](Canvas& c) { c.frame(kInk); },
         [] {
             std::set<std::pair<int, int>> s;
             for (int i = 0; i < 8; ++i) s.insert({{i, 0}, {i, 7}, {0, i}, {7, i}});
             return s;
         }()},
        {"line clipped at both ends",
         [](Canvas& c) { c.line(-3, 0, 20, kInk); },
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}},
        {"line on a row above the image", [](Canvas& c) { c.line(0, -1, 8, kInk); }, {}},
        {"band at row 0 keeps rows 0 and 1", [](Canvas& c) { c.band(0, kInk); },
         [] {
             std::set<std::pair<int, int>> s;
             for (int x = 0; x < 8; ++x) s.insert({{x, 0}, {x, 1}});
             return s;
         }()},
        {"stroke at column 0 keeps (0, y)", [](Canvas& c) { c.stroke(0, 5, kInk); }, {{0, 5}}},
        {"pixel outside",
         [](Canvas& c) {
             c.pixel(8, 0, kInk);
             c.pixel(-1, 3, kInk);
         },
         {}},
    };
    for (const PrimitiveCase& test : cases) {
        Canvas canvas(8, 8);
        canvas.clear(kBack);
        test.draw(canvas);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Rgb expected = test.painted.count({x, y}) ? kInk : kBack;
                ASSERT_EQ(canvas.rgbAt(x, y), expected) << test.name << " at " << x << "," << y;
            }
    }
}

TEST(CanvasTest, FillPaintsEveryPixelAndPixelsAreOpaqueXrgb) {
    Canvas canvas(3, 2);
    canvas.fill(Rgb{0x12, 0x34, 0x56});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.at(x, y), 0xFF123456u);
    EXPECT_EQ(canvas.data()[5], 0xFF123456u);  // rows without padding
}

TEST(CanvasTest, ColourValuesAreBlueGreenRed) {
    EXPECT_EQ(rgbOf(0x00743C00u), (Rgb{0, 60, 116}));
    EXPECT_EQ(colorRefOf(Rgb{161, 161, 146}), 0x0092A1A1u);
}

TEST(CanvasTest, EmptyCanvasTakesEveryPrimitive) {
    Canvas canvas(0, 0);
    canvas.clear(kBack);
    canvas.frame(kInk);
    canvas.band(1, kInk);
    canvas.line(0, 0, 5, kInk);
    EXPECT_EQ(canvas.width(), 0);
}

}  // namespace
}  // namespace quorvane
