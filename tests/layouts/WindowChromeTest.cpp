// The chrome of the two frameless windows: the gradient read back from the painted pixels, and
// which mouse moves start a window move, with real presses and moves through the window system.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/FormChrome.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {
namespace {

// Counts the moves it is asked to start, and starts none.
class RecordingMover : public WindowMover {
public:
    void beginMove(QWidget& window) override { moved.push_back(&window); }
    std::vector<QWidget*> moved;
};

// The rows of column `x` from `from` to `to` where the colour changes from the row above.
std::vector<int> colourChanges(const QImage& image, int x, int from, int to) {
    std::vector<int> rows;
    for (int y = from; y <= to; ++y)
        if (image.pixelColor(x, y) != image.pixelColor(x, y - 1)) rows.push_back(y);
    return rows;
}

// A bare window that paints nothing but a gradient.
class GradientWindow : public QWidget {
public:
    GradientWindow(std::uint32_t colour, std::int32_t steps, std::int16_t stepSize, bool defaults)
        : m_colour(colour), m_steps(steps), m_stepSize(stepSize), m_defaults(defaults) {
        resize(20, 128);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_defaults)
            PaintGradient(*this);
        else
            PaintGradient(*this, m_colour, m_steps, m_stepSize);
    }

private:
    std::uint32_t m_colour;
    std::int32_t m_steps;
    std::int16_t m_stepSize;
    bool m_defaults;
};

class WindowChromeTest : public test::MainWindowTest {
protected:
    std::unique_ptr<ListWindow> listWindow() {
        auto list = std::make_unique<ListWindow>(services(), "/nowhere/l0g.ext", &window());
        list->setWindowMover(mover);
        list->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(list.get()));
        return list;
    }
    MainWindow& shownWindow() {
        MainWindow& w = window();
        w.setWindowMover(mover);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    RecordingMover mover;
};

TEST_F(WindowChromeTest, MainWindowBandsEndWhereTheSinglePrecisionHeightSays) {
    MainWindow& w = window();
    w.formLayout().setVisible(u"Image1", -1, false);  // the banner covers the first bands
    w.formLayout().setVisible(u"Image2", -1, false);
    const QImage image = w.grab().toImage();
    // Column 5 is bare gradient but for the frame (rows 0-2, 433-435) and the top line (84, 85).
    std::vector<int> changes = colourChanges(image, 5, 4, 432);
    std::erase_if(changes, [](int y) { return y == 84 || y == 86; });
    EXPECT_EQ(changes, (std::vector<int>{22, 44, 65, 87, 109, 131, 153, 174, 196, 218, 240, 262, 283, 305, 327, 349,
                                         371, 392, 414}));
    EXPECT_EQ(image.pixelColor(5, 3), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(5, 21), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(5, 22), QColor(141, 173, 162));
    EXPECT_EQ(image.pixelColor(5, 414), QColor(105, 137, 126));
    EXPECT_EQ(image.pixelColor(5, 432), QColor(105, 137, 126));
}

TEST_F(WindowChromeTest, ListWindowBandsEndWhereTheSinglePrecisionHeightSays) {
    const auto list = listWindow();
    const QImage image = list->grab().toImage();
    EXPECT_EQ(colourChanges(image, 4, 4, 182),
              (std::vector<int>{9, 19, 28, 37, 47, 56, 65, 74, 84, 93, 102, 112, 121, 130, 140, 149, 158, 167, 177}));
    EXPECT_EQ(image.pixelColor(4, 46), QColor(135, 167, 156));  // band 5 still
    EXPECT_EQ(image.pixelColor(4, 47), QColor(133, 165, 154));
    EXPECT_EQ(image.pixelColor(4, 3), QColor(143, 175, 164));
    EXPECT_EQ(image.pixelColor(4, 182), QColor(105, 137, 126));
}

TEST_F(WindowChromeTest, DefaultsPaintSixtyFourBlueBands) {
    GradientWindow bare(0, 0, 0, true);
    const QImage image = bare.grab().toImage();
    for (int band = 0; band < 64; ++band)
        for (int y : {2 * band, 2 * band + 1})
            EXPECT_EQ(image.pixelColor(10, y), QColor(0, 0, 255 - 4 * band)) << "row " << y;
}

TEST_F(WindowChromeTest, AComponentBelowItsDecrementsWraps) {
    GradientWindow bare(10, 8, 4, false);  // red 10, sixteen rows a band
    const QImage image = bare.grab().toImage();
    const int reds[] = {10, 6, 2, 254, 250, 246, 242, 238};
    for (int band = 0; band < 8; ++band)
        EXPECT_EQ(image.pixelColor(0, 16 * band + 8), QColor(reds[band], 0, 0)) << band;
}

TEST_F(WindowChromeTest, OnlyAMoveWithTheLeftButtonAloneStartsAMove) {
    MainWindow& w = shownWindow();
    QWindow* win = w.windowHandle();
    const QPoint surface(120, 195);  // between the disguise list and "Unlock Folder"
    struct Case {
        const char* name;
        std::vector<Qt::MouseButton> held;
        bool move;
        bool expected;
    };
    const Case cases[] = {
        {"left", {Qt::LeftButton}, true, true},
        {"right", {Qt::RightButton}, true, false},
        {"middle", {Qt::MiddleButton}, true, false},
        {"left and right", {Qt::LeftButton, Qt::RightButton}, true, false},
        {"left and middle", {Qt::LeftButton, Qt::MiddleButton}, true, false},
        {"left without a move", {Qt::LeftButton}, false, false},
    };
    for (const Case& c : cases) {
        mover.moved.clear();
        const QPoint end = c.move ? surface + QPoint(4, 3) : surface;
        for (Qt::MouseButton b : c.held) QTest::mousePress(win, b, {}, surface);
        if (c.move) QTest::mouseMove(win, end);
        for (Qt::MouseButton b : c.held) QTest::mouseRelease(win, b, {}, end);
        EXPECT_EQ(mover.moved.size(), c.expected ? 1u : 0u) << c.name;
        if (c.expected && !mover.moved.empty()) {
            EXPECT_EQ(mover.moved[0], &w) << c.name;
        }
    }
}

TEST_F(WindowChromeTest, DragsStartFromTheSurfaceLinesAndBannerOnly) {
    MainWindow& w = shownWindow();
    QWindow* win = w.windowHandle();
    auto centre = [&](QWidget* control) { return control->geometry().center(); };
    auto item = [&](const char16_t* name, int index = -1) {
        return w.formLayout().find(QStringView(name), index)->rect.topLeft() + QPoint(2, 2);
    };
    struct Case {
        const char* name;
        QPoint at;
        bool expected;
    };
    const Case cases[] = {
        {"surface", QPoint(120, 195), true},
        {"separator line", QPoint(100, 125), true},
        {"top line", QPoint(100, 85), true},
        {"frame", QPoint(1, 200), true},
        {"banner", QPoint(20, 20), true},
        {"icon over the banner", item(u"Image2") + QPoint(10, 10), false},
        {"label", item(u"Label1", 0), false},
        {"wrapped label", item(u"Label1", 3), false},
        {"path box", centre(w.Text1()), false},
        {"disguise list", centre(w.cmb1()), false},
        {"current icon", centre(w.Picture1()), false},
        {"new icon", centre(w.Picture2()), false},
        {"button", centre(w.cmd(3)), false},
        {"browse button", centre(w.cmd(0)), false},
    };
    for (const Case& c : cases) {
        mover.moved.clear();
        QTest::mousePress(win, Qt::LeftButton, {}, c.at);
        QTest::mouseMove(win, c.at + QPoint(3, 2));
        QTest::mouseRelease(win, Qt::LeftButton, {}, c.at + QPoint(3, 2));
        if (w.cmb1()->view()->isVisible()) w.cmb1()->hidePopup();
        EXPECT_EQ(mover.moved.size(), c.expected ? 1u : 0u) << c.name;
    }
}

TEST_F(WindowChromeTest, TheListWindowIsDraggedByItsSurfaceButNotItsLabelOrControls) {
    const auto list = listWindow();
    list->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list.get()));
    QWindow* win = list->windowHandle();
    struct Case {
        const char* name;
        QPoint at;
        bool expected;
    };
    const Case cases[] = {
        {"surface", QPoint(250, 160), true},
        {"frame", QPoint(488, 100), true},
        {"label", list->formLayout().find(u"Label1")->rect.topLeft() + QPoint(2, 2), false},
        {"list", list->List1()->geometry().center(), false},
        {"button", list->cmd(1)->geometry().center(), false},
    };
    for (const Case& c : cases) {
        mover.moved.clear();
        QTest::mousePress(win, Qt::LeftButton, {}, c.at);
        QTest::mouseMove(win, c.at + QPoint(2, 2));
        QTest::mouseRelease(win, Qt::LeftButton, {}, c.at + QPoint(2, 2));
        EXPECT_EQ(mover.moved.size(), c.expected ? 1u : 0u) << c.name;
        if (c.expected && !mover.moved.empty()) {
            EXPECT_EQ(mover.moved[0], list.get()) << c.name;
        }
    }
}

TEST_F(WindowChromeTest, WithoutASystemMoveTheWindowFollowsThePointerUntilRelease) {
    MainWindow& w = window();  // the real mover: offscreen has no system move
    w.move(100, 100);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QWindow* win = w.windowHandle();
    const QPoint start(120, 195);
    QCursor::setPos(w.mapToGlobal(start));
    QCoreApplication::processEvents();
    QTest::mousePress(win, Qt::LeftButton, {}, start);
    QTest::mouseMove(win, start + QPoint(1, 0));  // starts the move
    QCursor::setPos(w.mapToGlobal(start) + QPoint(40, 30));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.pos(), QPoint(140, 130));
    QTest::mouseRelease(win, Qt::LeftButton, {}, win->mapFromGlobal(QCursor::pos()));
    QCursor::setPos(QCursor::pos() + QPoint(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.pos(), QPoint(140, 130)) << "the move ends with the release";
}

}  // namespace
}  // namespace quorvane
