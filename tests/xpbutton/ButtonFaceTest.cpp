// The five looks of the button, pixel by pixel, for a 101 x 26 button, and very small buttons.
// The expected colours are the design's numbers, written out here.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "xpbutton/ButtonFace.h"

namespace quorvane {
namespace {

constexpr int W = 101;
constexpr int H = 26;
constexpr Rgb kBack{255, 255, 255};

constexpr Rgb kFrame{0, 60, 116};
constexpr Rgb kGrey{122, 149, 168};
constexpr Rgb kInner{37, 87, 131};

// The normal face's rows 0..25 (rows 0, 25 and column 100 belong to the frame; 1 and 2 stay background).
constexpr std::array<Rgb, H> kFaceRows = {{
    kBack,           kBack,           kBack,  //
    {255, 255, 253}, {254, 254, 252}, {253, 253, 251}, {252, 252, 250}, {251, 251, 249},
    {250, 250, 248}, {249, 249, 247}, {248, 248, 246}, {247, 247, 245}, {246, 246, 244},
    {245, 245, 243}, {244, 244, 242}, {243, 243, 241}, {242, 242, 240}, {241, 241, 239},
    {240, 240, 238}, {239, 239, 237}, {238, 238, 236}, {237, 237, 235},  // row 21, the last gradient row left
    {236, 235, 230}, {226, 223, 214}, {214, 208, 197},                   // rows 22, 23, 24
    kBack,
}};

// An image of expected colours, painted with literal values.
struct Expected {
    std::vector<Rgb> px = std::vector<Rgb>(W * H, kBack);
    Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y * W + x)]; }
    void row(int y, int x1, int x2, Rgb c) {  // inclusive
        for (int x = x1; x <= x2; ++x) at(x, y) = c;
    }
    void frame(Rgb c) {
        row(0, 0, W - 1, c);
        row(H - 1, 0, W - 1, c);
        for (int y = 0; y < H; ++y) at(0, y) = at(W - 1, y) = c;
    }
    void border() {
        frame(kFrame);
        at(0, 1) = kGrey, at(1, 1) = kInner, at(1, 0) = kGrey;
        at(99, 0) = kGrey, at(99, 1) = kInner, at(100, 1) = kGrey;
        at(0, 24) = kGrey, at(1, 24) = kInner, at(1, 25) = kGrey;
        at(100, 24) = kGrey, at(99, 24) = kInner, at(99, 25) = kGrey;
    }
    void face() {
        for (int y = 0; y < H; ++y) row(y, 0, W - 2, kFaceRows[static_cast<std::size_t>(y)]);
    }
};

void expectImage(const Canvas& canvas, Expected& expected, const char* look) {
    ASSERT_EQ(canvas.width(), W);
    ASSERT_EQ(canvas.height(), H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb got = canvas.rgbAt(x, y);
            const Rgb want = expected.at(x, y);
            ASSERT_EQ(got, want) << look << " at (" << x << ", " << y << "): got " << got.r << "," << got.g << ","
                                 << got.b << " want " << want.r << "," << want.g << "," << want.b;
        }
}

TEST(ButtonFaceTest, NormalLook) {
    Canvas canvas(W, H);
    DrawFace(canvas, kBack);
    DrawBorder(canvas);
    Expected e;
    e.face();
    e.border();
    expectImage(canvas, e, "normal");
    // Column W - 1 is painted by the frame only: the face lines stop at W - 2.
    Canvas faceOnly(W, H);
    DrawFace(faceOnly, kBack);
    EXPECT_EQ(faceOnly.rgbAt(100, 10), kBack);
    EXPECT_EQ(faceOnly.rgbAt(99, 10), (Rgb{248, 248, 246}));
}

TEST(ButtonFaceTest, ClearPaintsTheSurfaceBackgroundIntoRowsOneAndTwo) {
    Canvas canvas(W, H);
    DrawFace(canvas, Rgb{10, 20, 30});
    DrawBorder(canvas);
    EXPECT_EQ(canvas.rgbAt(50, 1), (Rgb{10, 20, 30}));
    EXPECT_EQ(canvas.rgbAt(50, 2), (Rgb{10, 20, 30}));
    EXPECT_EQ(canvas.rgbAt(50, 3), (Rgb{255, 255, 253}));
}

TEST(ButtonFaceTest, HoverLook) {
    Canvas canvas(W, H);
    DrawFace(canvas, kBack);
    DrawHoverEdge(canvas);
    DrawBorder(canvas);
    constexpr std::array<Rgb, 22> outer = {{
        {254, 223, 154}, {253, 220, 147}, {252, 217, 140}, {251, 214, 133}, {250, 211, 126}, {249, 208, 119},
        {248, 205, 112}, {247, 202, 105}, {246, 199, 98},  {245, 196, 91},  {244, 193, 84},  {243, 190, 77},
        {242, 187, 70},  {241, 184, 63},  {240, 181, 56},  {239, 178, 49},  {238, 175, 42},  {238, 175, 42},
        {238, 175, 42},  {238, 175, 42},  {238, 175, 42},  {238, 175, 42},
    }};  // rows 2..23
    constexpr std::array<Rgb, 21> inner = {{
        {252, 210, 121}, {251, 206, 113}, {250, 202, 105}, {249, 198, 97}, {248, 194, 89}, {247, 190, 81},
        {246, 186, 73},  {245, 182, 65},  {244, 178, 57},  {243, 174, 49}, {243, 174, 49}, {243, 174, 49},
        {243, 174, 49},  {243, 174, 49},  {243, 174, 49},  {243, 174, 49}, {243, 174, 49}, {243, 174, 49},
        {243, 174, 49},  {243, 174, 49},  {243, 174, 49},
    }};  // rows 3..23
    Expected e;
    e.face();
    e.row(1, 2, 98, {255, 240, 207});
    e.row(2, 1, 99, {253, 216, 137});
    for (int y = 2; y <= 23; ++y) e.at(1, y) = e.at(99, y) = outer[static_cast<std::size_t>(y - 2)];
    for (int y = 3; y <= 23; ++y) e.at(2, y) = e.at(98, y) = inner[static_cast<std::size_t>(y - 3)];
    e.row(23, 3, 99, {243, 174, 49});  // in the inner gradient's last colour
    e.row(24, 2, 98, {229, 151, 0});
    e.border();
    expectImage(canvas, e, "hover");
}

TEST(ButtonFaceTest, FocusLook) {
    Canvas canvas(W, H);
    DrawFace(canvas, kBack);
    DrawFocusEdge(canvas);
    DrawBorder(canvas);
    constexpr std::array<Rgb, 20> gradient = {{
        {186, 211, 246}, {182, 208, 245}, {178, 205, 244}, {174, 202, 243}, {170, 199, 242},
        {166, 196, 241}, {162, 193, 240}, {158, 190, 239}, {154, 187, 238}, {150, 184, 237},
        {146, 181, 236}, {142, 178, 235}, {138, 175, 234}, {134, 172, 233}, {130, 169, 232},
        {126, 166, 231}, {122, 163, 230}, {118, 160, 229}, {114, 157, 228}, {110, 154, 227},
    }};  // rows 3..22
    Expected e;
    e.face();
    e.row(1, 2, 98, {206, 231, 251});
    e.row(2, 1, 99, {188, 212, 246});
    for (int y = 3; y <= 22; ++y) {
        const Rgb c = gradient[static_cast<std::size_t>(y - 3)];
        e.at(1, y) = e.at(2, y) = e.at(98, y) = e.at(99, y) = c;
    }
    e.row(23, 1, 98, {110, 154, 227});  // the limit, reached on the step after row 21
    e.at(2, 24) = {77, 125, 193};
    e.row(24, 3, 97, {97, 125, 229});
    e.at(98, 24) = {77, 125, 193};
    e.border();
    expectImage(canvas, e, "focus");
    EXPECT_EQ(canvas.rgbAt(99, 23), (Rgb{226, 223, 214}));  // the row-23 line stops at W - 3
}

TEST(ButtonFaceTest, PressedLook) {
    Canvas canvas(W, H);
    DrawPressedFace(canvas, kBack);
    DrawBorder(canvas);
    Expected e;
    const Rgb bands[] = {{239, 238, 231}, {238, 237, 230}, {237, 236, 229},
                         {236, 235, 228}, {235, 234, 227}, {234, 233, 226}};  // y = 3, 7, ..., 23
    for (int i = 0; i < 6; ++i)
        for (int y = 4 * i + 1; y <= 4 * i + 4; ++y) e.row(y, 0, W - 1, bands[i]);
    e.row(1, 0, 99, {209, 204, 192});
    e.row(2, 0, 99, {220, 216, 207});
    e.row(23, 0, 99, {234, 233, 227});
    e.row(24, 0, 99, {242, 241, 238});
    e.border();
    expectImage(canvas, e, "pressed");
    EXPECT_EQ(canvas.rgbAt(50, 21), (Rgb{234, 233, 226}));  // the last band reaches row 21
}

TEST(ButtonFaceTest, DisabledLook) {
    Canvas canvas(W, H);
    DrawDisabledFace(canvas, kBack);
    Expected e;
    for (int y = 0; y < H; ++y) e.row(y, 0, W - 1, {245, 244, 234});
    e.frame({201, 199, 186});
    const Rgb outer{216, 213, 199};
    const Rgb inner{234, 233, 222};
    for (auto [x, y] : {std::pair{0, 1},
                        {1, 1},
                        {1, 0},
                        {99, 0},
                        {99, 1},
                        {100, 1},
                        {0, 24},
                        {1, 24},
                        {1, 25},
                        {100, 24},
                        {99, 24},
                        {99, 25}})
        e.at(x, y) = outer;
    for (auto [x, y] : {std::pair{1, 2}, {2, 1}, {98, 1}, {99, 2}, {1, 23}, {2, 24}, {99, 23}, {98, 24}})
        e.at(x, y) = inner;
    expectImage(canvas, e, "disabled");
}

TEST(ButtonFaceTest, LooksNeverKeepThePreviousOne) {
    Canvas canvas(W, H);
    DrawPressedFace(canvas, kBack);
    DrawHoverEdge(canvas);
    DrawFace(canvas, kBack);
    DrawBorder(canvas);
    Expected e;
    e.face();
    e.border();
    expectImage(canvas, e, "normal after pressed");
}

TEST(ButtonFaceTest, ShortFaceRunsNoGradientAndClipsNegativeRows) {
    // H = 3: the gradient (rows 3..0) runs zero times; rows H - 2, H - 3, H - 4 are 1, 0, -1.
    Canvas canvas(5, 3);
    DrawFace(canvas, kBack);
    for (int x = 0; x < 5; ++x) {
        const bool face = x < 4;
        EXPECT_EQ(canvas.rgbAt(x, 0), face ? (Rgb{226, 223, 214}) : kBack) << x;
        EXPECT_EQ(canvas.rgbAt(x, 1), face ? (Rgb{214, 208, 197}) : kBack) << x;
        EXPECT_EQ(canvas.rgbAt(x, 2), kBack) << x;
    }
    // H = 5 is the first height below 6: still no gradient row, only the three fixed lines.
    Canvas five(4, 5);
    DrawFace(five, kBack);
    EXPECT_EQ(five.rgbAt(1, 0), kBack);
    EXPECT_EQ(five.rgbAt(1, 1), (Rgb{236, 235, 230}));
    EXPECT_EQ(five.rgbAt(1, 3), (Rgb{214, 208, 197}));
    // H = 6: one gradient row, row 3, in the start colour, then covered by row H - 3.
    Canvas six(4, 6);
    DrawFace(six, kBack);
    EXPECT_EQ(six.rgbAt(1, 2), (Rgb{236, 235, 230}));
    EXPECT_EQ(six.rgbAt(1, 3), (Rgb{226, 223, 214}));
}

TEST(ButtonFaceTest, ShortFocusEdgeRunsNoGradient) {
    // H = 6: the focus gradient (rows 3..2) runs zero times; row H - 3 takes the start colour.
    Canvas canvas(10, 6);
    DrawFace(canvas, kBack);
    DrawFocusEdge(canvas);
    for (int x = 1; x <= 7; ++x) EXPECT_EQ(canvas.rgbAt(x, 3), (Rgb{186, 211, 246})) << x;
    EXPECT_EQ(canvas.rgbAt(8, 3), (Rgb{226, 223, 214}));
    // H = 7: one gradient row, then row H - 3 in the colour after one step.
    Canvas seven(10, 7);
    DrawFace(seven, kBack);
    DrawFocusEdge(seven);
    EXPECT_EQ(seven.rgbAt(1, 3), (Rgb{186, 211, 246}));
    EXPECT_EQ(seven.rgbAt(3, 3), (Rgb{236, 235, 230}));
    EXPECT_EQ(seven.rgbAt(3, 4), (Rgb{182, 208, 245}));
}

TEST(ButtonFaceTest, TinyButtonsDrawWithoutLeavingTheImage) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 1}, {1, 4}}) {
        Canvas canvas(w, h);
        DrawFace(canvas, kBack);
        DrawHoverEdge(canvas);
        DrawFocusEdge(canvas);
        DrawBorder(canvas);
        DrawPressedFace(canvas, kBack);
        DrawDisabledFace(canvas, kBack);
        EXPECT_EQ(canvas.width(), w);
    }
    Canvas one(1, 1);
    DrawFace(one, kBack);
    DrawBorder(one);
    EXPECT_EQ(one.rgbAt(0, 0), kFrame);
}

}  // namespace
}  // namespace quorvane
