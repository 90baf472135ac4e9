// The main and list windows as their layouts build them: geometry at 96 dpi, controls, texts,
// fonts (with their substitutes), tab order walked with the Tab key, the frame and the labels.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>

#include "qt/PathText.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {
namespace {

using test::MainWindowTest;

class WindowLayoutTest : public MainWindowTest {
protected:
    std::unique_ptr<ListWindow> listWindow() {
        auto list = std::make_unique<ListWindow>(services(), "/nowhere/l0g.ext", &window());
        list->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(list.get()));
        return list;
    }
    // Presses Tab `count` times on `w`; the widgets that had the focus after each press.
    static std::vector<QWidget*> walkTab(QWidget& w, int count) {
        std::vector<QWidget*> seen;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen.push_back(QApplication::focusWidget());
        }
        (void)w;
        return seen;
    }
};

TEST_F(WindowLayoutTest, TheLayoutPlacesTheMainWindowsControls) {
    // The layout alone, before any load sequence has drawn an icon.
    QWidget form;
    FormLayout layout(form, FormDescription::embedded("frmMain"), keys);
    EXPECT_EQ(form.size(), QSize(431, 467));  // the designed inner area
    struct Case {
        const char* name;
        int index;
        QRect rect;
    };
    const Case cases[] = {
        {"Picture1", -1, QRect(25, 310, 33, 33)}, {"Picture2", -1, QRect(80, 310, 33, 33)},
        {"cmd", 1, QRect(130, 145, 101, 26)},     {"cmd", 0, QRect(205, 95, 21, 21)},
        {"cmd", 5, QRect(145, 290, 76, 21)},      {"cmb1", -1, QRect(15, 165, 96, 22)},
        {"Text1", -1, QRect(15, 95, 181, 21)},    {"Shape1", -1, QRect(0, 0, 246, 436)},
        {"Image1", -1, QRect(0, 0, 250, 81)},     {"Image2", -1, QRect(200, 5, 33, 30)},
        {"Line1", 4, QRect(0, 85, 246, 1)},       {"Line1", 0, QRect(10, 125, 226, 1)},
    };
    for (const Case& c : cases) {
        const FormLayout::Control* control = layout.find(QString::fromLatin1(c.name), c.index);
        ASSERT_NE(control, nullptr) << c.name << c.index;
        EXPECT_EQ(control->rect, c.rect) << c.name << c.index;
        if (control->widget) {
            EXPECT_EQ(control->widget->geometry(), c.rect) << c.name << c.index;
        }
    }
}

TEST_F(WindowLayoutTest, BothWindowsTakeTheirFramesSizeAndHaveNoBorder) {
    MainWindow& w = window();
    EXPECT_EQ(w.size(), QSize(246, 436));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.formLayout().find(u"Shape1")->rect, w.rect());
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_EQ(w.geometry().center(), screen.center()) << "first shown centred on the screen";
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(w.windowIcon().availableSizes().value(0), QSize(48, 48));
    const auto list = listWindow();
    EXPECT_EQ(list->size(), QSize(491, 186));
    EXPECT_TRUE(list->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(list->formLayout().find(u"Shape1")->rect, list->rect());
    EXPECT_EQ(list->List1()->geometry(), QRect(10, 30, 471, 114));
    EXPECT_EQ(list->cmd(0)->geometry(), QRect(10, 150, 91, 26));
    EXPECT_EQ(list->cmd(1)->geometry(), QRect(390, 150, 91, 26));
}

TEST_F(WindowLayoutTest, TheFrameLiesOnTheWindowsEdges) {
    const QImage main = window().grab().toImage();
    const QColor frame(85, 121, 107);
    for (int y : {100, 250, 400}) {
        for (int x : {0, 1, 2, 243, 244, 245}) EXPECT_EQ(main.pixelColor(x, y), frame) << x << "," << y;
        for (int x : {3, 242}) EXPECT_NE(main.pixelColor(x, y), frame) << x << "," << y;
    }
    for (int x : {5, 120, 240}) {
        for (int y : {433, 434, 435}) EXPECT_EQ(main.pixelColor(x, y), frame) << x << "," << y;
        EXPECT_NE(main.pixelColor(x, 432), frame) << x;
    }
}

TEST_F(WindowLayoutTest, CommandsAreXpButtonsWithTheirStoredProperties) {
    MainWindow& w = window();
    struct Case {
        int index;
        const char* caption;
        const char* face;
        double size;
        std::uint32_t fore, hover;
    };
    const Case cases[] = {
        {0, "...", "MS Sans Serif", 8.25, 0x000000, 0x8D9B73},
        {1, "Lock Folder", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {2, "Unlock Folder", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {3, "Hide Folder", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {4, "Show Folder", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {5, "Open icon", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {6, "Change Icon", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {7, "Set Default Icon", "Comic Sans MS", 8.25, 0xC0C0C0, 0x6B7955},
        {8, "About,..", "Comic Sans MS", 9, 0x6B7955, 0xA4AF8F},
        {9, "Exit", "Comic Sans MS", 9, 0x6B7955, 0x8080FF},
    };
    for (const Case& c : cases) {
        const TulmXpButton* b = w.cmd(c.index);
        ASSERT_NE(b, nullptr) << c.index;
        EXPECT_EQ(b->Caption(), QLatin1String(c.caption)) << c.index;
        EXPECT_EQ(b->Font().name, c.face) << c.index;
        EXPECT_EQ(b->Font().size, c.size) << c.index;
        EXPECT_EQ(b->Font().weight, 700) << c.index;
        EXPECT_EQ(b->ForeColor(), c.fore) << c.index;
        EXPECT_EQ(b->ForeHover(), c.hover) << c.index;
        EXPECT_TRUE(b->Enabled()) << c.index;
    }
    EXPECT_EQ(w.cmd(0)->Font().charset, 222);
    const QFontInfo lock(w.cmd(1)->font());
    EXPECT_EQ(lock.family(), QStringLiteral("Comic Neue"));
    EXPECT_EQ(lock.weight(), 700);
    EXPECT_DOUBLE_EQ(lock.pointSizeF(), 8.25);
}

TEST_F(WindowLayoutTest, OtherControlsAndTheirLook) {
    MainWindow& w = window();
    EXPECT_FALSE(w.cmb1()->isEditable());  // a drop-down list: the user only picks
    EXPECT_EQ(w.cmb1()->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_EQ(w.cmb1()->palette().color(QPalette::Text), QColor(192, 0, 0));
    const QFontInfo combo(w.cmb1()->font());
    EXPECT_EQ(combo.family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(combo.italic());
    EXPECT_EQ(combo.weight(), 400);
    EXPECT_DOUBLE_EQ(combo.pointSizeF(), 8.25);
    EXPECT_EQ(w.Text1()->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_EQ(QFontInfo(w.Text1()->font()).family(), QStringLiteral("Liberation Sans"));  // the default font

    struct Label {
        int index;
        const char* text;
        double size;
    };
    const Label labels[] = {
        {0, "Simple lock foder,..", 9}, {1, "Simple hide foder,..", 9}, {2, "Change folder icon,..", 9},
        {3, "Current Icon", 8.25},      {4, "New Icon", 8.25},
    };
    for (const Label& l : labels) {
        const FormLayout::Control* c = w.formLayout().find(u"Label1", l.index);
        ASSERT_NE(c, nullptr) << l.index;
        EXPECT_EQ(c->kind, FormLayout::Kind::Label);
        EXPECT_EQ(c->widget, nullptr) << "drawn on the window's surface";
        EXPECT_EQ(c->text, QLatin1String(l.text)) << l.index;
        EXPECT_FALSE(c->opaque) << l.index;
        EXPECT_EQ(QFontInfo(c->font).family(), QStringLiteral("Liberation Sans")) << l.index;
        EXPECT_DOUBLE_EQ(c->font.pointSizeF(), l.size) << l.index;
        const int lines = c->rect.height() / QFontMetrics(c->font).lineSpacing();
        EXPECT_EQ(lines, l.index >= 3 ? 2 : 1) << l.text;
    }
    EXPECT_EQ(w.formLayout().find(u"Label1", 4)->rect.width(), 28);  // "New" over "Icon", in its box
    for (const char* name : {"Image1", "Image2", "Shape1"})
        EXPECT_NE(w.formLayout().find(QString::fromLatin1(name)), nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_NE(w.formLayout().find(u"Line1", i), nullptr) << i;
    EXPECT_EQ(w.formLayout().find(u"Line1", 5), nullptr);
}

TEST_F(WindowLayoutTest, LabelsShowTheGradientThroughTheirBackground) {
    MainWindow& w = window();
    const QImage image = w.grab().toImage();
    for (int i = 0; i < 5; ++i) {
        const QRect r = w.formLayout().find(u"Label1", i)->rect;
        // Every pixel is the band's colour of its row, or ink of the caption (no lighter than it).
        int background = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const QColor band = image.pixelColor(5, y);  // beside the labels: the bare gradient
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (p == band)
                    ++background;
                else
                    EXPECT_LE(p.lightness(), band.lightness()) << i << " at " << x << "," << y;
            }
        }
        EXPECT_GT(background, r.width() * r.height() / 2) << i;
    }
}

TEST_F(WindowLayoutTest, TabWalksTheMainWindowInItsOrderFromTheBrowseButton) {
    MainWindow& w = window();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.cmd(0));
    const std::vector<QWidget*> order = {
        w.cmd(1), w.cmd(2), w.Text1(), w.cmb1(),     w.cmd(3),     w.cmd(4), w.cmd(5), w.cmd(6),
        w.cmd(7), w.cmd(8), w.cmd(9),  w.Picture1(), w.Picture2(), w.cmd(0), w.cmd(1),
    };
    EXPECT_EQ(walkTab(w, static_cast<int>(order.size())), order);
}

TEST_F(WindowLayoutTest, TabWalksTheListWindowFromShowFolder) {
    const auto list = listWindow();
    list->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list.get()));
    EXPECT_EQ(QApplication::focusWidget(), list->cmd(0));
    const std::vector<QWidget*> order = {list->cmd(1), list->List1(), list->cmd(0)};
    EXPECT_EQ(walkTab(*list, 3), order);
    EXPECT_EQ(list->formLayout().find(u"Label1")->text, QStringLiteral("Select a folder to make it visible:.."));
    EXPECT_EQ(QFontInfo(list->List1()->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(list->List1()->palette().color(QPalette::Base), QColor(224, 224, 224));
}

TEST(FontSubstitutesTest, EachFaceResolvesToItsSubstituteKeepingSizeAndWeight) {
    struct Case {
        const char* face;
        const char* resolved;
    };
    const Case cases[] = {
        {"Comic Sans MS", "Comic Neue"},
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Tahoma"},
    };
    for (const Case& c : cases) {
        for (int weight : {400, 700}) {
            for (double size : {8.25, 9.75}) {
                QFont font(QLatin1String(c.face));
                font.setPointSizeF(size);
                font.setWeight(static_cast<QFont::Weight>(weight));
                const QFontInfo info(font);
                EXPECT_EQ(info.family(), QLatin1String(c.resolved)) << c.face;
                EXPECT_EQ(info.weight(), weight) << c.face << " " << weight;
                EXPECT_DOUBLE_EQ(info.pointSizeF(), size) << c.face << " " << size;
            }
        }
    }
}

}  // namespace
}  // namespace quorvane
