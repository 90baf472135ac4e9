// The control's events from real pointer and key events: hover, clicks of each button, the double
// click, the drag that leaves and comes back, Space and Enter, the arrows, the access key.
#include <algorithm>

#include "xpbutton/ButtonHost.h"

namespace quorvane::test {
namespace {

class XpButtonEventsTest : public ButtonHost {};

TEST_F(XpButtonEventsTest, EnteringHoversOnceAndTheTimerFindsThePointerGone) {
    EXPECT_FALSE(button->HoverTimer().isActive());
    pointAt(QPoint(50, 13));
    EXPECT_EQ(events, (Events{"MouseOver", "MouseMove(0,0,50,13)"}));
    EXPECT_TRUE(button->Hovering());
    EXPECT_TRUE(button->HoverTimer().isActive());
    pointAt(QPoint(51, 13));
    pointAt(QPoint(52, 14));
    pointAt(QPoint(60, 20));
    EXPECT_EQ(events, (Events{"MouseOver", "MouseMove(0,0,50,13)", "MouseMove(0,0,51,13)"}))
        << "that move and the next one only";
    EXPECT_EQ(button->MoveLatch(), 1);

    pointOutside();
    EXPECT_EQ(events.size(), 3u) << "leaving raises nothing by itself";
    ASSERT_TRUE(waitForHoverEnd());
    EXPECT_EQ(events.back(), "MouseOut");
    EXPECT_FALSE(button->HoverTimer().isActive());
    EXPECT_EQ(button->MoveLatch(), 0);

    events.clear();
    pointAt(QPoint(10, 10));
    EXPECT_EQ(events, (Events{"MouseOver", "MouseMove(0,0,10,10)"}));
}

TEST_F(XpButtonEventsTest, CutCornerCountsAsOutside) {
    pointAt(QPoint(1, 1));
    ASSERT_TRUE(button->Hovering());
    events.clear();
    pointAt(QPoint(0, 0));  // the corner belongs to the container
    ASSERT_TRUE(waitForHoverEnd());
    EXPECT_EQ(events, (Events{"MouseOut"}));
}

TEST_F(XpButtonEventsTest, RestingPointerTickRepaintsNothing) {
    pointAt(QPoint(50, 13));
    ASSERT_TRUE(button->Hovering());
    QCoreApplication::processEvents();
    int ticks = 0;
    QObject::connect(&button->HoverTimer(), &QTimer::timeout, &host, [&ticks] { ++ticks; });
    const QImage before = button->image();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    button->installEventFilter(&counter);
    ASSERT_TRUE(QTest::qWaitFor([&ticks] { return ticks >= 5; }, 2000));
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(button->image(), before);
    EXPECT_EQ(events.size(), 2u);
    button->removeEventFilter(&counter);
}

TEST_F(XpButtonEventsTest, LeftClickPressesAndClicks) {
    pointAt(QPoint(50, 13));
    events.clear();
    press(Qt::LeftButton);
    EXPECT_EQ(button->LastButton(), 1);
    EXPECT_EQ(button->canvas().rgbAt(50, 10), (Rgb{237, 236, 229})) << "pressed look";
    release(Qt::LeftButton);
    EXPECT_EQ(events, (Events{"MouseDown(1,0,50,13)", "MouseUp(1,0,50,13)", "Click"}));
    EXPECT_EQ(button->canvas().rgbAt(1, 10), (Rgb{246, 199, 98})) << "hover look again";
}

TEST_F(XpButtonEventsTest, RightClickRaisesDownAndUpButNoClickAndDrawsNoPressedLook) {
    pointAt(QPoint(50, 13));
    events.clear();
    press(Qt::RightButton);
    EXPECT_EQ(button->LastButton(), 2);
    EXPECT_EQ(button->canvas().rgbAt(1, 10), (Rgb{246, 199, 98})) << "still the hover look";
    release(Qt::RightButton);
    EXPECT_EQ(events, (Events{"MouseDown(2,0,50,13)", "MouseUp(2,0,50,13)"}));

    // Space afterwards shows the hover look while down, not the pressed one, and clicks.
    events.clear();
    QTest::keyPress(window(), Qt::Key_Space);
    EXPECT_EQ(button->canvas().rgbAt(1, 10), (Rgb{246, 199, 98}));
    QTest::keyRelease(window(), Qt::Key_Space);
    EXPECT_EQ(events, (Events{"KeyDown(32,0)", "KeyPress(32)", "Click", "KeyUp(32,0)"}));
    EXPECT_EQ(button->LastButton(), 1);
}

TEST_F(XpButtonEventsTest, MiddleClickRaisesNoClick) {
    pointAt(QPoint(50, 13));
    events.clear();
    click(Qt::MiddleButton);
    EXPECT_EQ(events, (Events{"MouseDown(4,0,50,13)", "MouseUp(4,0,50,13)"}));
}

TEST_F(XpButtonEventsTest, SpaceAndEnterPressOnlyAfterALeftPressAndClickOnRelease) {
    struct KeyCase {
        Qt::Key key;
        const char* down;
        const char* press;
        const char* up;
    };
    for (const KeyCase& k : {KeyCase{Qt::Key_Space, "KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)"},
                             KeyCase{Qt::Key_Return, "KeyDown(13,0)", "KeyPress(13)", "KeyUp(13,0)"},
                             KeyCase{Qt::Key_Enter, "KeyDown(13,0)", "KeyPress(13)", "KeyUp(13,0)"}}) {
        TulmXpButton fresh(keys, &host);  // LastButton 0
        fresh.setGeometry(20, 30, 101, 26);
        fresh.show();
        fresh.setFocus();
        QCoreApplication::processEvents();
        int clicks = 0;
        QObject::connect(&fresh, &TulmXpButton::Click, &host, [&clicks] { ++clicks; });
        QTest::keyPress(window(), k.key);
        EXPECT_EQ(fresh.canvas().rgbAt(1, 10), (Rgb{158, 190, 239})) << k.down << ": focused look, not pressed";
        QTest::keyRelease(window(), k.key);
        EXPECT_EQ(clicks, 1) << k.up;
        EXPECT_EQ(fresh.LastButton(), 1);
        QTest::keyPress(window(), k.key);
        EXPECT_EQ(fresh.canvas().rgbAt(50, 10), (Rgb{237, 236, 229})) << k.down << ": now pressed";
        QTest::keyRelease(window(), k.key);
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(fresh.canvas().rgbAt(1, 10), (Rgb{158, 190, 239}));
    }
    // The order of the events for one key.
    button->setFocus();
    QCoreApplication::processEvents();
    events.clear();
    key(Qt::Key_Return);
    EXPECT_EQ(events, (Events{"KeyDown(13,0)", "KeyPress(13)", "Click", "KeyUp(13,0)"}));
}

TEST_F(XpButtonEventsTest, ReleaseOfAnotherKeyThanThePressedOneDoesNotClick) {
    button->setFocus();
    QCoreApplication::processEvents();
    events.clear();
    QTest::keyPress(window(), Qt::Key_Space);
    QTest::keyPress(window(), Qt::Key_A);
    QTest::keyRelease(window(), Qt::Key_Space);  // LastKey is now A
    QTest::keyRelease(window(), Qt::Key_A);
    EXPECT_EQ(events,
              (Events{"KeyDown(32,0)", "KeyPress(32)", "KeyDown(65,0)", "KeyPress(97)", "KeyUp(32,0)", "KeyUp(65,0)"}));
    EXPECT_EQ(button->LastKey(), 65);
}

TEST_F(XpButtonEventsTest, ReleaseAfterAnotherWindowTookTheKeyboardDoesNotClick) {
    QWidget other;
    other.setGeometry(300, 300, 100, 60);
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
        button->setFocus();
        QCoreApplication::processEvents();
        events.clear();
        QTest::keyPress(window(), k);
        ASSERT_NE(button->LastKey(), 0) << k;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other)) << k;
        EXPECT_EQ(button->LastKey(), 0) << k << ": the keys go to the other window now";
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host)) << k;
        ASSERT_TRUE(button->Focused()) << k;
        QTest::keyRelease(window(), k);
        EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0) << k;
        other.hide();
    }
}

TEST_F(XpButtonEventsTest, ArrowsMoveTheFocusAndStillRaiseKeyDown) {
    const std::pair<Qt::Key, TulmXpButton*> cases[] = {
        {Qt::Key_Right, next}, {Qt::Key_Left, next}, {Qt::Key_Down, prev}, {Qt::Key_Up, prev}};
    for (auto [k, target] : cases) {
        button->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(button->Focused());
        events.clear();
        QWidget* focusAtKeyDown = nullptr;
        auto connection = QObject::connect(button, &TulmXpButton::KeyDown, &host, [&](std::int16_t&, std::int16_t&) {
            focusAtKeyDown = QApplication::focusWidget();
        });
        QTest::keyPress(window(), k);
        EXPECT_EQ(focusAtKeyDown, button) << "the Tab is injected without waiting for it";
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), target) << k;
        EXPECT_FALSE(button->Focused());
        const int code = k == Qt::Key_Left ? 37 : k == Qt::Key_Up ? 38 : k == Qt::Key_Right ? 39 : 40;
        EXPECT_EQ(events, (Events{"KeyDown(" + std::to_string(code) + ",0)"}));
        QObject::disconnect(connection);
        QTest::keyRelease(window(), k);
    }
}

TEST_F(XpButtonEventsTest, AccessKeyClicksWhileTheWindowIsActive) {
    button->setCaption(QStringLiteral("E&xit"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("x"));
    key(Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(events, (Events{"Click"}));
    EXPECT_EQ(button->LastButton(), 1);

    events.clear();
    button->setCaption(QStringLiteral("A&&B"));  // no access key any more
    key(Qt::Key_X, Qt::AltModifier);
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(events.empty());
}

TEST_F(XpButtonEventsTest, DisabledControlRaisesNothing) {
    button->setCaption(QStringLiteral("E&xit"));
    button->setEnabled(false);
    events.clear();
    pointAt(QPoint(50, 13));
    click(Qt::LeftButton);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, windowPoint());
    click(Qt::RightButton);
    key(Qt::Key_X, Qt::AltModifier);
    key(Qt::Key_Space);
    pointOutside();
    QTest::qWait(30);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(button->Hovering());
    EXPECT_EQ(button->canvas().rgbAt(50, 10), (Rgb{245, 244, 234}));
}

TEST_F(XpButtonEventsTest, DoubleClickYieldsOneClickWithTheSimulatedPressAndACapture) {
    pointAt(QPoint(50, 13));
    events.clear();
    QWidget* grabberAtSecondUp = nullptr;
    int ups = 0;
    QObject::connect(button, &TulmXpButton::MouseUp, &host, [&](std::int16_t&, std::int16_t&, float&, float&) {
        if (++ups == 2) grabberAtSecondUp = QWidget::mouseGrabber();
    });
    QTest::mouseDClick(window(), Qt::LeftButton, {}, windowPoint());
    EXPECT_EQ(events, (Events{"MouseDown(1,0,50,13)", "MouseUp(1,0,50,13)", "Click", "MouseDown(1,0,0,0)",
                              "MouseUp(1,0,50,13)"}));
    EXPECT_EQ(grabberAtSecondUp, button);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the capture ends with the release";
}

TEST_F(XpButtonEventsTest, RightDoubleClickSimulatesNoPress) {
    pointAt(QPoint(50, 13));
    events.clear();
    QTest::mouseDClick(window(), Qt::RightButton, {}, windowPoint());
    EXPECT_EQ(events, (Events{"MouseDown(2,0,50,13)", "MouseUp(2,0,50,13)", "MouseUp(2,0,50,13)"}));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(XpButtonEventsTest, DragThatLeavesAndReturnsKeepsTheLatch) {
    pointAt(QPoint(50, 13));
    press(Qt::LeftButton);
    events.clear();

    pointOutside();  // captured move outside with the latch 0: nothing
    EXPECT_TRUE(events.empty());
    ASSERT_TRUE(waitForHoverEnd());
    EXPECT_EQ(events, (Events{"MouseOut"}));

    events.clear();
    pointAt(QPoint(40, 12));  // back in with the left button: pressed look, caption in ForeHover
    EXPECT_EQ(events, (Events{"MouseMove(1,0,40,12)"}));
    EXPECT_EQ(button->MoveLatch(), 1);
    EXPECT_FALSE(button->Hovering());
    EXPECT_EQ(button->canvas().rgbAt(50, 10), (Rgb{237, 236, 229}));
    pointAt(QPoint(41, 12));
    EXPECT_EQ(events.size(), 1u);

    pointOutside();  // captured move outside with the latch 1: repaint, MouseMove, latch stays
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(events.back().rfind("MouseMove(1,0,", 0), 0u);
    EXPECT_EQ(button->MoveLatch(), 1);
    const Rgb focused{158, 190, 239};  // the press gave it the focus
    EXPECT_EQ(button->canvas().rgbAt(1, 10), focused) << "neither pressed nor hover";

    pointAt(QPoint(42, 12));  // in again: nothing, no look change
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(button->canvas().rgbAt(1, 10), focused);
    release(Qt::LeftButton);
    EXPECT_EQ(events.back(), "Click");

    events.clear();
    pointAt(QPoint(43, 12));  // no hover look and no MouseMove while the latch stays 1
    pointAt(QPoint(44, 12));
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(button->Hovering());
    EXPECT_EQ(button->MoveLatch(), 1);
}

TEST_F(XpButtonEventsTest, HandlersReceiveTheVeryArguments) {
    std::int16_t* first = nullptr;
    bool same = false;
    QObject::connect(button, &TulmXpButton::MouseDown, &host, [&](std::int16_t& b, std::int16_t&, float&, float&) {
        first = &b;
        b = 99;  // flows back to the notification's variable
    });
    QObject::connect(button, &TulmXpButton::MouseDown, &host,
                     [&](std::int16_t& b, std::int16_t&, float&, float&) { same = (&b == first && b == 99); });
    pointAt(QPoint(50, 13));
    click(Qt::LeftButton);
    EXPECT_TRUE(same);
    EXPECT_EQ(button->LastButton(), 1) << "the control reads nothing back";
}

TEST_F(XpButtonEventsTest, ShiftMaskAndPositionArePassedOn) {
    pointAt(QPoint(50, 13));
    events.clear();
    QTest::mouseClick(window(), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, windowPoint());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "MouseDown(1,3,50,13)");
}

}  // namespace
}  // namespace quorvane::test
