#include "xpbutton/ButtonFace.h"

#include "xpbutton/ButtonColours.h"

namespace quorvane {

using namespace xpcolours;

namespace {

Rgb stepped(Rgb c, Rgb step) { return Rgb{c.r + step.r, c.g + step.g, c.b + step.b}; }

// One corner's pixels in the order they are painted; `inner` marks the corner's inner pixel.
struct CornerPixel {
    int x, y;
    bool inner;
};

}  // namespace

void DrawFace(Canvas& canvas, Rgb background) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.clear(background);
    Rgb c = kFaceGradientStart;
    for (int y = 3; y <= H - 3; ++y) {
        canvas.line(0, y, W - 1, c);
        if (c.b > kFaceGradientStopBlue) c = stepped(c, kFaceGradientStep);
    }
    canvas.line(0, H - 2, W - 1, kFaceBottom);
    canvas.line(0, H - 3, W - 1, kFaceBottomInner);
    canvas.line(0, H - 4, W - 1, kFaceBottomLight);
}

void DrawPressedFace(Canvas& canvas, Rgb background) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.clear(background);
    Rgb c = kPressedBandStart;
    for (int y = 3; y <= H - 2; y += 4) {
        canvas.band(y, c);
        if (c.b >= kPressedBandLastStepBlue) c = stepped(c, kPressedBandStep);
    }
    canvas.line(0, 1, W - 1, kPressedTop);
    canvas.line(0, 2, W - 1, kPressedTopInner);
    canvas.line(0, H - 3, W - 1, kPressedBottomInner);
    canvas.line(0, H - 2, W - 1, kPressedBottom);
}

void DrawDisabledFace(Canvas& canvas, Rgb background) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.clear(background);
    canvas.fill(kDisabledFill);
    canvas.frame(kDisabledFrame);
    const CornerPixel corners[] = {
        {0, 1, false},         {1, 1, false},         {1, 0, false},         {1, 2, true},         {2, 1, true},
        {W - 2, 0, false},     {W - 2, 1, false},     {W - 1, 1, false},     {W - 3, 1, true},     {W - 2, 2, true},
        {0, H - 2, false},     {1, H - 2, false},     {1, H - 1, false},     {1, H - 3, true},     {2, H - 2, true},
        {W - 1, H - 2, false}, {W - 2, H - 2, false}, {W - 2, H - 1, false}, {W - 2, H - 3, true}, {W - 3, H - 2, true},
    };
    for (const CornerPixel& p : corners) canvas.pixel(p.x, p.y, p.inner ? kDisabledCornerInner : kDisabledCornerOuter);
}

void DrawBorder(Canvas& canvas) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.frame(kFrameBlue);
    const CornerPixel corners[] = {
        {0, 1, false},     {1, 1, true},          {1, 0, false},        {W - 2, 0, false},
        {W - 2, 1, true},  {W - 1, 1, false},     {0, H - 2, false},    {1, H - 2, true},
        {1, H - 1, false}, {W - 1, H - 2, false}, {W - 2, H - 2, true}, {W - 2, H - 1, false},
    };
    for (const CornerPixel& p : corners) canvas.pixel(p.x, p.y, p.inner ? kCornerInnerBlue : kCornerGreyBlue);
}

void DrawHoverEdge(Canvas& canvas) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.line(2, 1, W - 2, kHoverTop);
    canvas.line(1, 2, W - 1, kHoverTopInner);
    Rgb outer = kHoverOuterStart;
    for (int y = 2; y <= H - 3; ++y) {
        canvas.dot(1, y, outer);
        canvas.dot(W - 2, y, outer);
        if (outer.b >= kHoverOuterLastStepBlue) outer = stepped(outer, kHoverOuterStep);
    }
    Rgb inner = kHoverInnerStart;
    for (int y = 3; y <= H - 3; ++y) {
        canvas.dot(2, y, inner);
        canvas.dot(W - 3, y, inner);
        if (inner.b > kHoverInnerStopBlue) inner = stepped(inner, kHoverInnerStep);
    }
    canvas.line(3, H - 3, W - 1, inner);
    canvas.line(2, H - 2, W - 2, kHoverBottom);
}

void DrawFocusEdge(Canvas& canvas) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.line(2, 1, W - 2, kFocusTop);
    canvas.line(1, 2, W - 1, kFocusTopInner);
    Rgb c = kFocusGradientStart;
    for (int y = 3; y <= H - 4; ++y) {
        canvas.stroke(2, y, c);
        canvas.stroke(W - 2, y, c);
        if (c.b > kFocusGradientStopBlue) c = stepped(c, kFocusGradientStep);
    }
    canvas.line(1, H - 3, W - 2, c);
    canvas.pixel(2, H - 2, kFocusBottomEnd);
    canvas.line(3, H - 2, W - 3, kFocusBottom);
    canvas.pixel(W - 3, H - 2, kFocusBottomEnd);
}

}  // namespace quorvane
