// The control under a scale factor (QT_SCALE_FACTOR 1, 1.5 and 2, one run each): the face drawn
// in the screen's own pixels and shown 1:1, the caption at the scaled font, and only the four
// corner device pixels cut away, for the eye and for the pointer.
#include <QPainter>
#include <cmath>

#include "xpbutton/ButtonHost.h"

namespace quorvane::test {
namespace {

const QColor kFrameBlue(0, 60, 116);
const QColor kCornerGreyBlue(122, 149, 168);
const QColor kCornerInnerBlue(37, 87, 131);

// The device size of the fixture's 101 x 26 button at each scale this test runs at.
struct Scale {
    qreal ratio;
    int w;
    int h;
};
constexpr Scale kScales[] = {{1.0, 101, 26}, {1.5, 152, 39}, {2.0, 202, 52}};

class XpButtonScaleTest : public ButtonHost {
protected:
    void SetUp() override {
        const qreal ratio = button->devicePixelRatio();
        for (const Scale& s : kScales)
            if (s.ratio == ratio) scale = s;
        ASSERT_GT(scale.ratio, 0) << "no expected size for the scale " << ratio;
        button->setFont(StdFont{.name = "Liberation Sans", .size = 8.25, .weight = 400});
    }

    // What the screen shows of the container with the button on it, in device pixels; the
    // button's device pixel (x, y) is at origin() + (x, y).
    QImage shown() {
        QCoreApplication::processEvents();
        return host.grab().toImage();
    }
    QPoint origin() const { return button->pos() * scale.ratio; }
    QColor shownAt(const QImage& image, int x, int y) const { return image.pixelColor(origin() + QPoint(x, y)); }

    bool isCorner(int x, int y) const { return (x == 0 || x == scale.w - 1) && (y == 0 || y == scale.h - 1); }

    // Every device pixel of the button on screen is the canvas's own, but the corners.
    void expectShownOneToOne(const char* when) {
        const QImage image = shown();
        int wrong = 0;
        for (int y = 0; y < scale.h; ++y)
            for (int x = 0; x < scale.w; ++x)
                if (!isCorner(x, y) && image.pixel(origin() + QPoint(x, y)) != button->canvas().at(x, y)) ++wrong;
        EXPECT_EQ(wrong, 0) << when;
    }

    Scale scale{};
};

TEST_F(XpButtonScaleTest, TheFaceIsDrawnAtTheDevicePixelSize) {
    ASSERT_EQ(button->canvas().width(), scale.w);
    ASSERT_EQ(button->canvas().height(), scale.h);
    EXPECT_EQ(button->image().size(), QSize(scale.w, scale.h));
    EXPECT_EQ(button->image().devicePixelRatio(), scale.ratio);

    const QImage image = shown();
    const int w = scale.w;
    const int h = scale.h;
    const int mid = w / 2;
    // A one-pixel frame and one-pixel steps at the corners, in device pixels.
    for (QPoint p : {QPoint(mid, 0), QPoint(mid, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
        EXPECT_EQ(shownAt(image, p.x(), p.y()), kFrameBlue) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(w - 2, 0), QPoint(w - 1, 1), QPoint(0, h - 2), QPoint(1, h - 1),
                     QPoint(w - 1, h - 2), QPoint(w - 2, h - 1)})
        EXPECT_EQ(shownAt(image, p.x(), p.y()), kCornerGreyBlue) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        EXPECT_EQ(shownAt(image, p.x(), p.y()), kCornerInnerBlue) << p.x() << "," << p.y();
    // Rows 1 and 2 bright, the gradient one step a row from row 3, the three bottom lines.
    EXPECT_EQ(shownAt(image, mid, 1), button->backColour());
    EXPECT_EQ(shownAt(image, mid, 2), button->backColour());
    for (int y = 3; y <= h - 5; ++y) {
        const int k = std::min(y - 3, 24);
        EXPECT_EQ(shownAt(image, mid, y), QColor(255 - k, 255 - k, 253 - k)) << "row " << y;
        EXPECT_EQ(shownAt(image, 1, y), QColor(255 - k, 255 - k, 253 - k)) << "row " << y << " beside the frame";
    }
    EXPECT_EQ(shownAt(image, mid, h - 4), QColor(236, 235, 230));
    EXPECT_EQ(shownAt(image, mid, h - 3), QColor(226, 223, 214));
    EXPECT_EQ(shownAt(image, mid, h - 2), QColor(214, 208, 197));
    expectShownOneToOne("normal");
}

TEST_F(XpButtonScaleTest, EveryLookIsShownOneToOne) {
    button->setCaption(QStringLiteral("Lock Folder"));
    expectShownOneToOne("normal");
    button->setFocus();
    expectShownOneToOne("focused");
    // The focus edge is two device pixels wide, the face starts at the third.
    EXPECT_EQ(button->canvas().rgbAt(1, 10), (Rgb{158, 190, 239}));
    EXPECT_EQ(button->canvas().rgbAt(2, 10), (Rgb{158, 190, 239}));
    EXPECT_EQ(button->canvas().rgbAt(3, 10), (Rgb{248, 248, 246}));
    pointAt(QPoint(50, 13));
    ASSERT_TRUE(button->Hovering());
    expectShownOneToOne("hover");
    press(Qt::LeftButton);
    expectShownOneToOne("pressed");
    release(Qt::LeftButton);
    button->setEnabled(false);
    expectShownOneToOne("disabled");
}

TEST_F(XpButtonScaleTest, TheCaptionIsDrawnAtTheScaledFont) {
    const QString text = QStringLiteral("Lock Folder");
    button->setCaption(QString());
    const QImage face = button->image();
    button->setCaption(text);

    // The same caption written into the face at 8.25 points times the scale, centred as the
    // control centres it: top = round(H / 2 - h / 2).
    QImage expected = face.copy();
    expected.setDevicePixelRatio(1);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25 * scale.ratio);
    font.setStyleStrategy(QFont::NoAntialias);
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    const int textHeight = QFontMetrics(font).boundingRect(QRect(0, 0, scale.w, scale.h), flags, text).height();
    const float half = static_cast<float>(scale.h) * 0.5f;
    const int top = static_cast<int>(std::nearbyint(half - static_cast<float>(textHeight) * 0.5f));
    const int bottom = static_cast<int>(std::nearbyint(half + static_cast<float>(textHeight) * 0.5f));
    {
        QPainter painter(&expected);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 0));
        const QRect rect(0, top, scale.w, bottom - top);
        painter.setClipRect(rect);
        painter.drawText(rect, flags | Qt::AlignTop, text);
    }
    QImage drawn = button->image();
    drawn.setDevicePixelRatio(1);
    EXPECT_EQ(drawn, expected);
    expectShownOneToOne("with the caption");

    // The letters are as tall as the scale makes them, in the caption's colour only: no 1x text
    // stretched (a stretch of 11-pixel text would be blocky or blurred, not redrawn).
    QImage small(101, 26, QImage::Format_RGB32);
    small.fill(Qt::white);
    QFont smallFont(font);
    smallFont.setPointSizeF(8.25);
    {
        QPainter painter(&small);
        painter.setFont(smallFont);
        painter.setPen(QColor(0, 0, 0));
        painter.drawText(small.rect(), flags, text);
    }
    auto inkRows = [](const QImage& a, const QImage& b) {
        int first = -1, last = -1;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    if (first < 0) first = y;
                    last = y;
                }
        return last - first + 1;
    };
    QImage blank(101, 26, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage plainFace = face.copy();
    plainFace.setDevicePixelRatio(1);
    const int smallInk = inkRows(blank, small);
    const int ink = inkRows(plainFace, drawn);
    EXPECT_GE(ink, static_cast<int>(std::floor(smallInk * scale.ratio)) - 1) << smallInk;
    EXPECT_LE(ink, static_cast<int>(std::ceil(smallInk * scale.ratio)) + 1) << smallInk;
    for (int y = 0; y < scale.h; ++y)
        for (int x = 0; x < scale.w; ++x)
            if (drawn.pixel(x, y) != plainFace.pixel(x, y)) {
                ASSERT_EQ(drawn.pixelColor(x, y), QColor(0, 0, 0)) << x << "," << y;
            }
}

TEST_F(XpButtonScaleTest, OnlyTheFourCornerDevicePixelsAreCutAway) {
    for (const char* when : {"normal", "focused"}) {
        if (std::string(when) == "focused") button->setFocus();
        const QImage image = shown();
        for (QPoint c : {QPoint(0, 0), QPoint(scale.w - 1, 0), QPoint(0, scale.h - 1), QPoint(scale.w - 1, scale.h - 1)})
            EXPECT_EQ(shownAt(image, c.x(), c.y()), container()) << when << " " << c.x() << "," << c.y();
        // The pixels around each corner are the button's.
        for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(scale.w - 2, scale.h - 1),
                         QPoint(scale.w - 1, scale.h - 2), QPoint(scale.w - 2, scale.h - 2)})
            EXPECT_EQ(shownAt(image, p.x(), p.y()), QColor(button->canvas().at(p.x(), p.y())))
                << when << " " << p.x() << "," << p.y();
    }
}

TEST_F(XpButtonScaleTest, ThePointerOverACutCornerIsOutside) {
    // Widget point (0, 0) lies on the corner device pixel at every scale; (1, 0) on the one beside.
    pointAt(QPoint(0, 0));
    EXPECT_FALSE(button->Hovering());
    click(Qt::LeftButton);
    EXPECT_EQ(events, Events{}) << "the container's press, not the button's";

    pointAt(QPoint(1, 0));
    EXPECT_TRUE(button->Hovering());
    click(Qt::LeftButton);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "MouseOver");
    EXPECT_EQ(events.back(), "Click");
}

}  // namespace
}  // namespace quorvane::test
