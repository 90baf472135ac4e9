// The button's events as its model raises them for the notifications of a host window: hover,
// clicks of each button, the double click, the drag that leaves and comes back, Space and Enter,
// the arrows, the access key, a disabled control.
#include "xpbutton/FakeButtonHost.h"

namespace quorvane::test {
namespace {

constexpr Rgb kPressed{237, 236, 229};  // (50, 10) in the pressed look
constexpr Rgb kHover{246, 199, 98};     // (1, 10) in the hover look
constexpr Rgb kFocused{158, 190, 239};  // (1, 10) in the focused look
constexpr Rgb kDisabled{245, 244, 234};

using XpButtonModelEventsTest = ButtonModelTest;

TEST_F(XpButtonModelEventsTest, EnteringHoversOnceAndTheTimerFindsThePointerGone) {
    EXPECT_FALSE(host.timerRunning);
    pointAt(50, 13);
    EXPECT_EQ(events(), (Events{"MouseOver", "MouseMove(0,0,50,13)"}));
    EXPECT_TRUE(model.Hovering());
    EXPECT_TRUE(host.timerRunning);
    pointAt(51, 13);
    pointAt(52, 14);
    pointAt(60, 20);
    EXPECT_EQ(events(), (Events{"MouseOver", "MouseMove(0,0,50,13)", "MouseMove(0,0,51,13)"}))
        << "that move and the next one only";
    EXPECT_EQ(model.MoveLatch(), 1);

    pointOutside();
    EXPECT_EQ(events().size(), 3u) << "leaving raises nothing by itself";
    tick();
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(events().back(), "MouseOut");
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(model.MoveLatch(), 0);

    host.events.clear();
    pointAt(10, 10);
    EXPECT_EQ(events(), (Events{"MouseOver", "MouseMove(0,0,10,10)"}));
}

TEST_F(XpButtonModelEventsTest, CutCornerCountsAsOutside) {
    pointAt(1, 1);
    ASSERT_TRUE(model.Hovering());
    host.events.clear();
    pointAt(0, 0);  // the corner belongs to the container
    tick();
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(events(), (Events{"MouseOut"}));
}

TEST_F(XpButtonModelEventsTest, RestingPointerTickRepaintsNothing) {
    pointAt(50, 13);
    ASSERT_TRUE(model.Hovering());
    const int invalidations = host.invalidations;
    const int refreshes = host.refreshes;
    const Canvas before = model.canvas();
    tick(5);
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(host.invalidations, invalidations);
    EXPECT_EQ(host.refreshes, refreshes);
    EXPECT_TRUE(std::equal(before.data(), before.data() + 101 * 26, model.canvas().data()));
    EXPECT_EQ(events().size(), 2u);
}

TEST_F(XpButtonModelEventsTest, LeftClickPressesAndClicks) {
    pointAt(50, 13);
    host.events.clear();
    press(1);
    EXPECT_EQ(model.LastButton(), 1);
    EXPECT_EQ(px(50, 10), kPressed) << "pressed look";
    release(1);
    EXPECT_EQ(events(), (Events{"MouseDown(1,0,50,13)", "MouseUp(1,0,50,13)", "Click"}));
    EXPECT_EQ(px(1, 10), kHover) << "hover look again";
}

// The model alone decides whether a release clicks: on the 101 x 26 shape, which leaves out the
// four corner pixels, after a press on the control.
TEST_F(XpButtonModelEventsTest, AReleaseClicksOnTheShapeOnlyAfterAPressOnTheControl) {
    const struct Case {
        const char* name;
        int x, y;
        bool clicks;
        bool cutCorner;
    } cases[] = {
        {"inside", 50, 13, true, false},
        {"first column", 0, 13, true, false},
        {"last column", 100, 13, true, false},
        {"beside the top-left corner", 1, 0, true, false},
        {"below the top-left corner", 0, 1, true, false},
        {"top-left corner", 0, 0, false, true},
        {"top-right corner", 100, 0, false, true},
        {"bottom-left corner", 0, 25, false, true},
        {"bottom-right corner", 100, 25, false, true},
        {"right of it", 101, 13, false, false},
        {"below it", 50, 26, false, false},
        {"left of it", -1, 13, false, false},
        {"above it", 50, -1, false, false},
    };
    for (const Case& c : cases) {
        host.events.clear();
        model.onMouseDown(1, 0, 50, 13);
        model.onMouseUp(1, 0, static_cast<float>(c.x), static_cast<float>(c.y));
        model.onRelease(c.x, c.y, false);
        EXPECT_EQ(std::count(events().begin(), events().end(), "Click"), c.clicks ? 1 : 0) << c.name;
        EXPECT_EQ(model.isOnCutCorner(c.x, c.y), c.cutCorner) << c.name;
    }

    // No press, or one whose wait ended with the last button's release: no click.
    host.events.clear();
    model.onRelease(50, 13, false);
    model.onMouseDown(1, 0, 50, 13);
    model.onRelease(101, 13, false);
    model.onRelease(50, 13, false);
    EXPECT_EQ(std::count(events().begin(), events().end(), "Click"), 0);
    // A button still held keeps the wait: the last release clicks.
    model.onMouseDown(1, 0, 50, 13);
    model.onRelease(101, 13, true);
    model.onRelease(50, 13, false);
    EXPECT_EQ(std::count(events().begin(), events().end(), "Click"), 1);
}

// The pointer taken away while the left button holds the control down (another window took the
// capture): the pressed look goes, and no later release over the control clicks.
TEST_F(XpButtonModelEventsTest, ACaptureLostBeforeTheReleaseEndsThePress) {
    pointAt(50, 13);
    press(1);
    ASSERT_EQ(px(50, 10), kPressed);
    model.onCaptureLost();
    EXPECT_NE(px(50, 10), kPressed);
    model.onMouseUp(1, 0, 50, 13);
    model.onRelease(50, 13, false);
    EXPECT_EQ(std::count(events().begin(), events().end(), "Click"), 0);
    // Lost with no press waiting, it repaints nothing; the next press and release click again.
    const int invalidations = host.invalidations;
    model.onCaptureLost();
    EXPECT_EQ(host.invalidations, invalidations);
    click(1);
    EXPECT_EQ(std::count(events().begin(), events().end(), "Click"), 1);
}

TEST_F(XpButtonModelEventsTest, RightClickRaisesDownAndUpButNoClickAndDrawsNoPressedLook) {
    pointAt(50, 13);
    host.events.clear();
    press(2);
    EXPECT_EQ(model.LastButton(), 2);
    EXPECT_EQ(px(1, 10), kHover) << "still the hover look";
    release(2);
    EXPECT_EQ(events(), (Events{"MouseDown(2,0,50,13)", "MouseUp(2,0,50,13)"}));

    // Space afterwards shows the hover look while down, not the pressed one, and clicks.
    host.events.clear();
    keyDown(32, 32);
    EXPECT_EQ(px(1, 10), kHover);
    keyUp(32);
    EXPECT_EQ(events(), (Events{"KeyDown(32,0)", "KeyPress(32)", "Click", "KeyUp(32,0)"}));
    EXPECT_EQ(model.LastButton(), 1);
}

TEST_F(XpButtonModelEventsTest, MiddleClickRaisesNoClick) {
    pointAt(50, 13);
    host.events.clear();
    click(4);
    EXPECT_EQ(events(), (Events{"MouseDown(4,0,50,13)", "MouseUp(4,0,50,13)"}));
}

TEST_F(XpButtonModelEventsTest, SpaceAndEnterPressOnlyAfterALeftPressAndClickOnRelease) {
    struct KeyCase {
        std::int16_t code;
        const char* name;
    };
    for (const KeyCase& k : {KeyCase{32, "Space"}, KeyCase{13, "Enter"}}) {
        FakeButtonHost freshHost;
        XpButtonModel fresh(freshHost, keys);  // LastButton 0
        fresh.setForeColor(0);
        fresh.onResize(101, 26);
        fresh.onShow();
        fresh.onGotFocus();
        int clicks = 0;
        freshHost.onEvent = [&clicks](const std::string& e) { clicks += e == "Click"; };
        fresh.onKeyDown(k.code, 0);
        EXPECT_EQ(fresh.canvas().rgbAt(1, 10), kFocused) << k.name << " down: focused look, not pressed";
        fresh.onKeyUp(k.code, 0);
        EXPECT_EQ(clicks, 1) << k.name;
        EXPECT_EQ(fresh.LastButton(), 1);
        fresh.onKeyDown(k.code, 0);
        EXPECT_EQ(fresh.canvas().rgbAt(50, 10), kPressed) << k.name << " down: now pressed";
        fresh.onKeyUp(k.code, 0);
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(fresh.canvas().rgbAt(1, 10), kFocused);
    }
    // The order of the events for one key.
    model.onGotFocus();
    host.events.clear();
    key(13, 13);
    EXPECT_EQ(events(), (Events{"KeyDown(13,0)", "KeyPress(13)", "Click", "KeyUp(13,0)"}));
}

TEST_F(XpButtonModelEventsTest, ReleaseOfAnotherKeyThanThePressedOneDoesNotClick) {
    model.onGotFocus();
    host.events.clear();
    keyDown(32, 32);
    keyDown(65, 97);
    keyUp(32);  // LastKey is now A
    keyUp(65);
    EXPECT_EQ(events(),
              (Events{"KeyDown(32,0)", "KeyPress(32)", "KeyDown(65,0)", "KeyPress(97)", "KeyUp(32,0)", "KeyUp(65,0)"}));
    EXPECT_EQ(model.LastKey(), 65);
}

TEST_F(XpButtonModelEventsTest, AReleaseClicksOnlyWhenItsPressReachedTheFocusedControl) {
    enum Kind { Down, Up, LoseFocus, GainFocus, Deactivate, MouseClick };
    struct Step {
        Kind kind;
        std::int16_t code = 0;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int clicks;
        bool clickShowsABox = false;  // the Click's handler shows a modal box, which takes the focus a while
    };
    const Case cases[] = {
        {"Enter down and up", {{Down, 13}, {Up, 13}}, 1},
        {"Space held: its press repeats, one click", {{Down, 32}, {Down, 32}, {Down, 32}, {Up, 32}}, 1},
        {"pressed again: clicks again", {{Down, 13}, {Up, 13}, {Down, 32}, {Up, 32}}, 2},
        {"Enter's press closed the box the Click showed; its release comes back",
         {{Down, 13}, {Up, 13}, {Up, 13}},
         1,
         true},
        {"Space held while Enter closed the box; both releases come back",
         {{Down, 32}, {Up, 32}, {Up, 13}, {Up, 32}},
         1,
         true},
        {"a second release after a Click, even with the focus kept", {{Down, 13}, {Up, 13}, {Up, 13}}, 1},
        {"the focus went away and came back between press and release",
         {{Down, 13}, {LoseFocus}, {GainFocus}, {Up, 13}},
         0},
        {"the window was deactivated between press and release", {{Down, 32}, {Deactivate}, {Up, 32}}, 0},
        {"a mouse click between press and release", {{Down, 13}, {MouseClick}, {Up, 13}}, 1},
    };
    for (const Case& c : cases) {
        FakeButtonHost caseHost;
        XpButtonModel button(caseHost, keys);
        button.onResize(101, 26);
        button.onGotFocus();
        int clicks = 0;
        caseHost.onEvent = [&](const std::string& e) {
            if (e != "Click") return;
            ++clicks;
            if (!c.clickShowsABox) return;
            button.onLostFocus();  // the box takes the focus and the keys pressed meanwhile
            button.onGotFocus();   // and gives the focus back when it closes
        };
        for (const Step& step : c.steps) {
            switch (step.kind) {
                case Down:
                    button.onKeyDown(step.code, 0);
                    break;
                case Up:
                    button.onKeyUp(step.code, 0);
                    break;
                case LoseFocus:
                    button.onLostFocus();
                    break;
                case GainFocus:
                    button.onGotFocus();
                    break;
                case Deactivate:
                    button.onWindowDeactivate();
                    break;
                case MouseClick:
                    button.onMouseDown(1, 0, 5, 5);
                    button.onMouseUp(1, 0, 5, 5);
                    button.onClick();
                    break;
            }
        }
        EXPECT_EQ(clicks, c.clicks) << c.name;
        EXPECT_EQ(button.LastKey(), 0) << c.name;
    }
}

TEST_F(XpButtonModelEventsTest, ArrowsMoveTheFocusAndStillRaiseKeyDown) {
    struct ArrowCase {
        std::int16_t code;
        const char* injected;  // Tab to the next control, Shift+Tab to the previous one
    };
    for (const ArrowCase& a :
         {ArrowCase{39, "{Tab}"}, ArrowCase{37, "{Tab}"}, ArrowCase{40, "+{Tab}"}, ArrowCase{38, "+{Tab}"}}) {
        model.onGotFocus();
        ASSERT_TRUE(model.Focused());
        host.events.clear();
        keys.sent.clear();
        bool focusedAtKeyDown = false;
        std::size_t injectedAtKeyDown = 0;
        host.onEvent = [&](const std::string& e) {
            if (e.rfind("KeyDown", 0) != 0) return;
            focusedAtKeyDown = model.Focused();
            injectedAtKeyDown = keys.sent.size();
        };
        keyDown(a.code);
        EXPECT_TRUE(focusedAtKeyDown) << "the Tab is injected without waiting for it";
        EXPECT_EQ(injectedAtKeyDown, 1u) << a.code;
        EXPECT_EQ(keys.sent, (std::vector<std::string>{a.injected})) << a.code;
        model.onLostFocus();  // the injected key moves the focus on
        EXPECT_FALSE(model.Focused());
        EXPECT_EQ(events(), (Events{"KeyDown(" + std::to_string(a.code) + ",0)"}));
        host.onEvent = nullptr;
        keyUp(a.code);
    }
}

TEST_F(XpButtonModelEventsTest, AccessKeyClicksWhileTheWindowIsActive) {
    model.setCaption("E&xit");
    EXPECT_EQ(model.AccessKeys(), "x");
    EXPECT_EQ(host.accessKeys, "x") << "the host delivers Alt+X";
    accessKey();
    EXPECT_EQ(events(), (Events{"Click"}));
    EXPECT_EQ(model.LastButton(), 1);

    host.events.clear();
    model.setCaption("A&&B");  // no access key any more
    EXPECT_EQ(host.accessKeys, "");
    accessKey();
    EXPECT_TRUE(events().empty());
}

TEST_F(XpButtonModelEventsTest, DisabledControlRaisesNothing) {
    model.setCaption("E&xit");
    model.setEnabled(false);
    EXPECT_FALSE(host.surfaceEnabled);
    host.events.clear();
    pointAt(50, 13);
    click(1);
    doubleClick(1);
    click(2);
    accessKey();
    key(32, 32);
    pointOutside();
    tick();
    EXPECT_TRUE(events().empty());
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(px(50, 10), kDisabled);
    // Nor does the model itself act on a press that reaches it anyway.
    model.onMouseDown(1, 0, 50, 13);
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(model.LastButton(), 0);
}

TEST_F(XpButtonModelEventsTest, DoubleClickYieldsOneClickWithTheSimulatedPressAndACapture) {
    pointAt(50, 13);
    host.events.clear();
    bool capturedAtSecondUp = false;
    int ups = 0;
    host.onEvent = [&](const std::string& e) {
        if (e.rfind("MouseUp", 0) == 0 && ++ups == 2) capturedAtSecondUp = host.captured;
    };
    doubleClick(1);
    EXPECT_EQ(events(), (Events{"MouseDown(1,0,50,13)", "MouseUp(1,0,50,13)", "Click", "MouseDown(1,0,0,0)",
                                "MouseUp(1,0,50,13)"}));
    EXPECT_TRUE(capturedAtSecondUp);
    EXPECT_FALSE(host.captured) << "the capture ends with the release";
}

TEST_F(XpButtonModelEventsTest, RightDoubleClickSimulatesNoPress) {
    pointAt(50, 13);
    host.events.clear();
    doubleClick(2);
    EXPECT_EQ(events(), (Events{"MouseDown(2,0,50,13)", "MouseUp(2,0,50,13)", "MouseUp(2,0,50,13)"}));
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "captureMouse"), 0);
}

TEST_F(XpButtonModelEventsTest, DragThatLeavesAndReturnsKeepsTheLatch) {
    pointAt(50, 13);
    press(1);
    host.events.clear();

    pointOutside();  // captured move outside with the latch 0: nothing
    EXPECT_TRUE(events().empty());
    tick();
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(events(), (Events{"MouseOut"}));

    host.events.clear();
    host.captions.clear();
    model.setForeHover(0x00FF0000);
    model.setCaption("Go");
    pointAt(40, 12);  // back in with the left button: pressed look, caption in ForeHover
    EXPECT_EQ(events(), (Events{"MouseMove(1,0,40,12)"}));
    EXPECT_EQ(model.MoveLatch(), 1);
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(px(50, 10), kPressed);
    ASSERT_FALSE(host.captions.empty());
    EXPECT_EQ(host.captions.back().colour, 0x00FF0000u);
    pointAt(41, 12);
    EXPECT_EQ(events().size(), 1u);

    pointOutside();  // captured move outside with the latch 1: repaint, MouseMove, latch stays
    EXPECT_EQ(events().size(), 2u);
    EXPECT_EQ(events().back(), "MouseMove(1,0,200,70)");
    EXPECT_EQ(model.MoveLatch(), 1);
    EXPECT_EQ(px(1, 10), kFocused) << "neither pressed nor hover: the press gave it the focus";

    pointAt(42, 12);  // in again: nothing, no look change
    EXPECT_EQ(events().size(), 2u);
    EXPECT_EQ(px(1, 10), kFocused);
    release(1);
    EXPECT_EQ(events().back(), "Click");

    host.events.clear();
    pointAt(43, 12);  // no hover look and no MouseMove while the latch stays 1
    pointAt(44, 12);
    EXPECT_TRUE(events().empty());
    EXPECT_FALSE(model.Hovering());
    EXPECT_EQ(model.MoveLatch(), 1);
}

TEST_F(XpButtonModelEventsTest, HandlersReceiveTheVeryArguments) {
    std::int16_t* first = nullptr;
    bool same = false;
    host.mouseDownHandlers.push_back([&](std::int16_t& b, std::int16_t&, float&, float&) {
        first = &b;
        b = 99;  // flows back to the notification's variable
    });
    host.mouseDownHandlers.push_back(
        [&](std::int16_t& b, std::int16_t&, float&, float&) { same = (&b == first && b == 99); });
    pointAt(50, 13);
    click(1);
    EXPECT_TRUE(same);
    EXPECT_EQ(model.LastButton(), 1) << "the control reads nothing back";
}

TEST_F(XpButtonModelEventsTest, ShiftMaskAndPositionArePassedOn) {
    pointAt(50, 13);
    host.events.clear();
    click(1, 3);
    ASSERT_FALSE(events().empty());
    EXPECT_EQ(events().front(), "MouseDown(1,3,50,13)");
}

}  // namespace
}  // namespace quorvane::test
