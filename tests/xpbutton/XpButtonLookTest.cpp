// The control's looks as its state gives them, the caption, the cut corners, the setters' repaints.
#include <QMetaMethod>
#include <QPainter>
#include <cmath>
#include <set>

#include "xpbutton/ButtonHost.h"
#include "xpbutton/PropertyBag.h"

namespace quorvane::test {
namespace {

const QColor kWhite(255, 255, 255);

class XpButtonLookTest : public ButtonHost {
protected:
    // Which look the image shows, told by pixels each look paints in its own colour.
    std::string look() const {
        if (px(50, 10) == QColor(245, 244, 234) && px(0, 1) == QColor(216, 213, 199)) return "disabled";
        if (px(50, 10) == QColor(237, 236, 229) && px(50, 1) == QColor(209, 204, 192)) return "pressed";
        if (px(1, 10) == QColor(246, 199, 98) && px(50, 24) == QColor(229, 151, 0)) return "hover";
        if (px(1, 10) == QColor(158, 190, 239) && px(50, 24) == QColor(97, 125, 229)) return "focused";
        if (px(1, 10) == QColor(248, 248, 246) && px(50, 1) == button->backColour() &&
            px(50, 24) == QColor(214, 208, 197))
            return "normal";
        return "unknown";
    }

    // The corners show the container, the pixels beside them the button.
    void expectCutCorners(const char* when) {
        const QRegion mask = button->mask();
        const int w = button->width();
        const int h = button->height();
        for (QPoint corner : {QPoint(0, 0), QPoint(0, h - 1), QPoint(w - 1, 0), QPoint(w - 1, h - 1)}) {
            EXPECT_FALSE(mask.contains(corner)) << when << " " << corner.x() << "," << corner.y();
            EXPECT_EQ(QApplication::widgetAt(button->mapToGlobal(corner)), &host) << when;
        }
        for (QPoint inside : {QPoint(1, 0), QPoint(0, 1), QPoint(w - 2, h - 1), QPoint(w - 1, h - 2)})
            EXPECT_TRUE(mask.contains(inside)) << when;
        EXPECT_EQ(mask.boundingRect(), QRect(0, 0, w, h)) << when;
        QCoreApplication::processEvents();
        const QImage shown = host.grab().toImage();
        const QPoint origin = button->pos();
        EXPECT_EQ(shown.pixelColor(origin), container()) << when;
        EXPECT_EQ(shown.pixelColor(origin + QPoint(w - 1, h - 1)), container()) << when;
        EXPECT_EQ(shown.pixelColor(origin + QPoint(1, 0)), px(1, 0)) << when;
        EXPECT_EQ(shown.pixelColor(origin + QPoint(w - 1, h - 2)), px(w - 1, h - 2)) << when;
    }
};

TEST_F(XpButtonLookTest, EachStateShowsItsLookWithTheCornersCut) {
    EXPECT_EQ(look(), "normal");
    expectCutCorners("normal");

    button->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(look(), "focused");
    expectCutCorners("focused");

    pointAt(QPoint(50, 13));
    EXPECT_EQ(look(), "hover") << "hover wins over focus";
    expectCutCorners("hover");

    press(Qt::LeftButton);
    EXPECT_EQ(look(), "pressed");
    expectCutCorners("pressed");
    release(Qt::LeftButton);
    EXPECT_EQ(look(), "hover");

    button->setEnabled(false);
    EXPECT_EQ(look(), "disabled");
    expectCutCorners("disabled");
    button->setEnabled(true);
    pointOutside();
    ASSERT_TRUE(waitForHoverEnd());
    next->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(look(), "normal");
}

TEST_F(XpButtonLookTest, BackgroundIsThePalettesBaseColour) {
    EXPECT_EQ(button->backColour(), button->palette().color(QPalette::Base));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    button->setPalette(palette);
    button->setForeColor(0);  // any repaint
    EXPECT_EQ(px(50, 1), QColor(1, 2, 3));
    EXPECT_EQ(px(50, 2), QColor(1, 2, 3));
}

TEST_F(XpButtonLookTest, GotFocusShowsThePressedLookAfterALeftClick) {
    button->setFocus();
    pointAt(QPoint(50, 13));
    click(Qt::LeftButton);
    next->setFocus();
    pointOutside();
    ASSERT_TRUE(waitForHoverEnd());
    EXPECT_EQ(look(), "normal");
    button->setFocus();  // Redraw(1) with LastButton 1
    QCoreApplication::processEvents();
    EXPECT_EQ(look(), "pressed");
}

TEST_F(XpButtonLookTest, ResizeRedrawsAtTheNewSize) {
    button->resize(60, 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(button->canvas().width(), 60);
    EXPECT_EQ(button->canvas().height(), 20);
    EXPECT_EQ(px(59, 10), QColor(0, 60, 116));
    EXPECT_EQ(px(58, 18), QColor(37, 87, 131));
    expectCutCorners("resized");
    const QImage image = button->image();
    EXPECT_EQ(image.size(), QSize(60, 20));
    EXPECT_EQ(image.pixelColor(30, 10), QColor(248, 248, 246));
}

TEST_F(XpButtonLookTest, ShowRepaints) {
    TulmXpButton late(keys);
    late.resize(40, 20);
    late.setForeColor(0);
    QPalette palette = late.palette();
    palette.setColor(QPalette::Base, QColor(9, 9, 9));
    late.setPalette(palette);  // no repaint by itself
    late.show();
    EXPECT_EQ(late.canvas().rgbAt(20, 1), (Rgb{9, 9, 9}));
}

// --- Caption ------------------------------------------------------------------------------------

class CaptionTest : public XpButtonLookTest {
protected:
    void SetUp() override { button->setFont(StdFont{.name = "Liberation Sans", .size = 8.25, .weight = 400}); }

    QImage drawn(const QString& caption) {
        button->setCaption(caption);
        return button->image();
    }

    // The height the text layout measures for `text` broken to the width of `client`.
    static int measured(const QFont& font, QRect client, const QString& text) {
        return QFontMetrics(font)
            .boundingRect(client, Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic, text)
            .height();
    }

    // Pixels where two images differ.
    static std::vector<QPoint> differences(const QImage& a, const QImage& b) {
        std::vector<QPoint> out;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) out.emplace_back(x, y);
        return out;
    }

    static QRect bounds(const std::vector<QPoint>& points) {
        QRect r;
        for (QPoint p : points) r |= QRect(p, QSize(1, 1));
        return r;
    }
};

TEST_F(CaptionTest, AccessKeyIsUnderlinedAndTheAmpersandNotShown) {
    const QImage face = drawn(QString());
    const QImage plain = drawn(QStringLiteral("Exit"));
    const QImage underE = drawn(QStringLiteral("&Exit"));
    const QImage underX = drawn(QStringLiteral("E&xit"));
    const QImage underT = drawn(QStringLiteral("Exi&t"));
    ASSERT_FALSE(differences(face, plain).empty());
    // E&xit is Exit and an underline: one row of pixels below the letters.
    const std::vector<QPoint> lineX = differences(plain, underX);
    ASSERT_FALSE(lineX.empty());
    const QRect x = bounds(lineX);
    EXPECT_GE(x.top(), bounds(differences(face, plain)).bottom() - 2);  // at the letters' foot
    EXPECT_LE(x.height(), 2);
    EXPECT_GE(x.width(), 3);
    // It lies under the second letter: right of E's underline, left of t's.
    const QRect e = bounds(differences(plain, underE));
    const QRect t = bounds(differences(plain, underT));
    EXPECT_GT(x.left(), e.right() - 1);
    EXPECT_LT(x.right(), t.left() + 1);
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("t"));
}

TEST_F(CaptionTest, DoubleAmpersandShowsOneAmpersand) {
    const QImage face = drawn(QString());
    const QImage shown = drawn(QStringLiteral("a&&b"));
    // What a&b looks like written literally, into the same rectangle (for H = 26 the text's line
    // box is centred: top = round(13 - h / 2)).
    QImage expected = face.copy();
    {
        QPainter painter(&expected);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(8.25);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 0));
        const int h = measured(font, QRect(0, 0, 101, 26), QStringLiteral("a&&b"));
        const int top = static_cast<int>(std::nearbyint(13.0f - static_cast<float>(h) * 0.5f));
        const int bottom = static_cast<int>(std::nearbyint(13.0f + static_cast<float>(h) * 0.5f));
        painter.drawText(QRect(0, top, 101, bottom - top), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("a&b"));
    }
    EXPECT_TRUE(differences(shown, expected).empty());
    EXPECT_FALSE(differences(face, shown).empty());
    EXPECT_EQ(button->AccessKeys(), QString());
}

TEST_F(CaptionTest, CaptionColourFollowsTheState) {
    button->setForeColor(0x000000FF);  // red
    button->setForeHover(0x00FF0000);  // blue
    auto inkColours = [this](const QImage& face) {
        std::set<QRgb> colours;
        const QImage image = button->image();
        for (QPoint p : differences(face, image)) colours.insert(image.pixel(p) & 0xFFFFFF);
        return colours;
    };
    const QImage normalFace = drawn(QString());
    drawn(QStringLiteral("Exit"));
    EXPECT_EQ(inkColours(normalFace), (std::set<QRgb>{0xFF0000}));

    button->setCaption(QString());
    pointAt(QPoint(50, 3));
    const QImage hoverFace = button->image();
    button->setCaption(QStringLiteral("Exit"));
    EXPECT_EQ(inkColours(hoverFace), (std::set<QRgb>{0x0000FF})) << "ForeHover while the pointer is over it";

    pointOutside();
    ASSERT_TRUE(waitForHoverEnd());
    button->setEnabled(false);
    button->setCaption(QString());
    const QImage disabledFace = button->image();
    button->setCaption(QStringLiteral("Exit"));
    EXPECT_EQ(inkColours(disabledFace), (std::set<QRgb>{0xA1A192})) << "(161, 161, 146) whatever ForeColor says";
}

TEST_F(CaptionTest, OneLineOf13Or15PixelsTakesRowsSixToNineteen) {
    // H = 26: 13 pixels give top round(6.5) = 6 and bottom round(19.5) = 20; 15 pixels give
    // round(5.5) = 6 and round(20.5) = 20, so the 15-pixel line loses its last row to the clip.
    for (auto [size, height] : {std::pair{8.25, 13}, {9.75, 15}}) {
        button->setFont(StdFont{.name = "Liberation Sans", .size = size, .weight = 400});
        ASSERT_EQ(measured(button->font(), QRect(0, 0, 101, 26), QStringLiteral("Lock Folder")), height) << size;
        const QImage face = drawn(QString());
        const QRect ink = bounds(differences(face, drawn(QStringLiteral("Lock Folder"))));
        EXPECT_GE(ink.top(), 6) << size;
        EXPECT_LE(ink.bottom(), 19) << size;
        EXPECT_LE(std::abs(ink.left() - (100 - ink.right())), 2) << size << " centred horizontally";
        // Letters below the baseline reach into row 20 only where the clip would let them.
        for (QPoint p : differences(face, drawn(QStringLiteral("gjpqy gjpqy")))) {
            EXPECT_GE(p.y(), 6) << size;
            EXPECT_LE(p.y(), 19) << size << " at " << p.x();
        }
    }
}

TEST_F(CaptionTest, TooWideCaptionWrapsIntoCentredLinesCentredAsABlock) {
    button->resize(50, 40);
    const QImage face = drawn(QString());
    const QImage shown = drawn(QStringLiteral("Lock Folder"));
    const std::vector<QPoint> ink = differences(face, shown);
    const QRect all = bounds(ink);
    const int line = QFontMetrics(button->font()).lineSpacing();
    ASSERT_GT(all.height(), line) << "two lines";
    // Block of two lines centred vertically: the line boxes start at round(20 - h / 2).
    const int h = measured(button->font(), QRect(0, 0, 50, 40), QStringLiteral("Lock Folder"));
    const int top = static_cast<int>(std::nearbyint(20.0f - static_cast<float>(h) * 0.5f));
    EXPECT_GE(all.top(), top);
    EXPECT_LT(all.bottom(), top + h);
    // Each line centred on its own: "Lock" is narrower than "Folder" and sits in the middle.
    std::vector<QPoint> first, second;
    for (QPoint p : ink) (p.y() < top + line ? first : second).push_back(p);
    const QRect a = bounds(first);
    const QRect b = bounds(second);
    EXPECT_LT(a.width(), b.width());
    EXPECT_LE(std::abs(a.left() - (49 - a.right())), 2);  // side bearings aside
    EXPECT_LE(std::abs(b.left() - (49 - b.right())), 2);
}

// --- Setters ------------------------------------------------------------------------------------

TEST_F(XpButtonLookTest, SettersRepaintAndAnnounceInTheirOrder) {
    struct Seen {
        QString name;
        bool surfaceEnabled;
        bool imageChanged;
        QString accessKeys;
    };
    std::vector<Seen> seen;
    QImage before;
    button->setCaption(QStringLiteral("Go"));
    QObject::connect(button, &TulmXpButton::PropertyChanged, &host, [&](const QString& name) {
        seen.push_back({name, button->isEnabled(), button->image() != before, button->AccessKeys()});
    });
    auto step = [&](auto change) {
        before = button->image();
        change();
    };
    step([&] { button->setEnabled(false); });  // store, announce, apply, repaint
    step([&] { button->setEnabled(true); });
    step([&] { button->setFont(StdFont{.name = "Liberation Sans", .size = 12, .weight = 700}); });
    step([&] { button->setCaption(QStringLiteral("E&xit")); });  // store, repaint, access key, announce
    step([&] { button->setForeColor(0x000000FF); });
    pointAt(QPoint(50, 13));
    step([&] { button->setForeHover(0x00FF0000); });  // no repaint, even under the pointer
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].name, QStringLiteral("Enabled"));
    EXPECT_TRUE(seen[0].surfaceEnabled);  // announced before the surface follows
    EXPECT_FALSE(seen[0].imageChanged);
    EXPECT_FALSE(seen[1].surfaceEnabled);
    EXPECT_EQ(seen[2].name, QStringLiteral("Font"));
    EXPECT_TRUE(seen[2].imageChanged);
    EXPECT_EQ(seen[3].name, QStringLiteral("Caption"));
    EXPECT_TRUE(seen[3].imageChanged);
    EXPECT_EQ(seen[3].accessKeys, QStringLiteral("x"));
    EXPECT_EQ(seen[4].name, QStringLiteral("ForeColor"));
    EXPECT_TRUE(seen[4].imageChanged);
    EXPECT_EQ(seen[5].name, QStringLiteral("ForeHover"));
    EXPECT_FALSE(seen[5].imageChanged);
    EXPECT_FALSE(button->isEnabled() == false);
    EXPECT_EQ(button->Font().weight, 700);
    EXPECT_EQ(button->font().weight(), QFont::Bold);
    EXPECT_EQ(button->ForeColor(), 0x000000FFu);
    EXPECT_EQ(button->ForeHover(), 0x00FF0000u);
}

TEST_F(XpButtonLookTest, ClassNameAndEventsInTheirDeclaredOrder) {
    const QMetaObject& meta = TulmXpButton::staticMetaObject;
    const int info = meta.indexOfClassInfo("ClassName");
    ASSERT_GE(info, 0);
    EXPECT_STREQ(meta.classInfo(info).value(), "Quorvane.TulmXpButton");
    EXPECT_STREQ(TulmXpButton::kClassName, "Quorvane.TulmXpButton");
    const char* expected[] = {"Click()",
                              "MouseDown(std::int16_t&,std::int16_t&,float&,float&)",
                              "MouseMove(std::int16_t&,std::int16_t&,float&,float&)",
                              "MouseUp(std::int16_t&,std::int16_t&,float&,float&)",
                              "KeyPress(std::int16_t&)",
                              "KeyDown(std::int16_t&,std::int16_t&)",
                              "KeyUp(std::int16_t&,std::int16_t&)",
                              "MouseOver()",
                              "MouseOut()"};
    for (int i = 0; i < 9; ++i) {
        const QMetaMethod m = meta.method(meta.methodOffset() + i);
        EXPECT_EQ(m.methodType(), QMetaMethod::Signal);
        EXPECT_EQ(m.methodSignature(), QByteArray(expected[i])) << i;
    }
}

}  // namespace
}  // namespace quorvane::test
