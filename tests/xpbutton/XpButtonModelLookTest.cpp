// Which look the button's model draws for its state, where and in which colour it asks for the
// caption, the shape it gives its window, and what each setter repaints and announces.
#include "xpbutton/FakeButtonHost.h"

namespace quorvane::test {
namespace {

class XpButtonModelLookTest : public ButtonModelTest {
protected:
    // Which look the canvas shows, told by pixels each look paints in its own colour.
    std::string look() const {
        if (px(50, 10) == Rgb{245, 244, 234} && px(0, 1) == Rgb{216, 213, 199}) return "disabled";
        if (px(50, 10) == Rgb{237, 236, 229} && px(50, 1) == Rgb{209, 204, 192}) return "pressed";
        if (px(1, 10) == Rgb{246, 199, 98} && px(50, 24) == Rgb{229, 151, 0}) return "hover";
        if (px(1, 10) == Rgb{158, 190, 239} && px(50, 24) == Rgb{97, 125, 229}) return "focused";
        if (px(1, 10) == Rgb{248, 248, 246} && px(50, 1) == host.background && px(50, 24) == Rgb{214, 208, 197})
            return "normal";
        return "unknown";
    }

    // Every repaint gives the window its shape anew: the client rectangle less its corners.
    void expectShape(const char* when) {
        EXPECT_EQ(host.regionWidth, width()) << when;
        EXPECT_EQ(host.regionHeight, height()) << when;
    }
};

TEST_F(XpButtonModelLookTest, EachStateShowsItsLook) {
    EXPECT_EQ(look(), "normal");
    expectShape("normal");

    model.onGotFocus();
    EXPECT_EQ(look(), "focused");

    pointAt(50, 13);
    EXPECT_EQ(look(), "hover") << "hover wins over focus";

    press(1);
    EXPECT_EQ(look(), "pressed");
    release(1);
    EXPECT_EQ(look(), "hover");

    model.setEnabled(false);
    EXPECT_EQ(look(), "disabled");
    model.setEnabled(true);
    pointOutside();
    tick();
    EXPECT_FALSE(model.Hovering());
    model.onLostFocus();
    EXPECT_EQ(look(), "normal");
    expectShape("normal again");
}

TEST_F(XpButtonModelLookTest, BackgroundIsTheSurfacesBackColour) {
    host.background = Rgb{1, 2, 3};
    model.setForeColor(0);  // any repaint
    EXPECT_EQ(px(50, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(px(50, 2), (Rgb{1, 2, 3}));
}

TEST_F(XpButtonModelLookTest, GotFocusShowsThePressedLookAfterALeftClick) {
    model.onGotFocus();
    pointAt(50, 13);
    click(1);
    model.onLostFocus();
    pointOutside();
    tick();
    EXPECT_EQ(look(), "normal");
    model.onGotFocus();  // Redraw(1) with LastButton 1
    EXPECT_EQ(look(), "pressed");
}

TEST_F(XpButtonModelLookTest, ResizeRedrawsAtTheNewSize) {
    host.calls.clear();
    model.onResize(60, 20);
    EXPECT_EQ(model.canvas().width(), 60);
    EXPECT_EQ(model.canvas().height(), 20);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"canvasResized(60x20)", "invalidate"}))
        << "the host learns of the new canvas before the look is drawn into it";
    EXPECT_EQ(px(59, 10), (Rgb{0, 60, 116}));
    EXPECT_EQ(px(58, 18), (Rgb{37, 87, 131}));
    expectShape("resized");
    EXPECT_EQ(px(30, 10), (Rgb{248, 248, 246}));
}

TEST_F(XpButtonModelLookTest, ShowRepaints) {
    FakeButtonHost lateHost;
    XpButtonModel late(lateHost, keys);
    late.setForeColor(0);
    late.onResize(40, 20);
    lateHost.background = Rgb{9, 9, 9};  // no repaint by itself
    EXPECT_NE(late.canvas().rgbAt(20, 1), (Rgb{9, 9, 9}));
    late.onShow();
    EXPECT_EQ(late.canvas().rgbAt(20, 1), (Rgb{9, 9, 9}));
}

// --- Caption ------------------------------------------------------------------------------------

TEST_F(XpButtonModelLookTest, CaptionColourFollowsTheState) {
    model.setForeColor(0x000000FF);  // red
    model.setForeHover(0x00FF0000);  // blue
    model.setCaption("Exit");
    ASSERT_FALSE(host.captions.empty());
    EXPECT_EQ(host.captions.back().text, "Exit");
    EXPECT_EQ(host.captions.back().colour, 0x000000FFu);

    pointAt(50, 3);
    EXPECT_EQ(host.captions.back().colour, 0x00FF0000u) << "ForeHover while the pointer is over it";

    pointOutside();
    tick();
    EXPECT_EQ(host.captions.back().colour, 0x000000FFu);
    model.setEnabled(false);
    EXPECT_EQ(host.captions.back().colour, 0x0092A1A1u) << "(161, 161, 146) whatever ForeColor says";
}

TEST_F(XpButtonModelLookTest, CaptionIsCentredAsAWholeInTheClientArea) {
    struct Case {
        const char* name;
        int width, height, measured;
        TextRect rect;
    };
    const Case cases[] = {
        {"13 pixels in 26: round(6.5) = 6 and round(19.5) = 20", 101, 26, 13, {0, 6, 101, 20}},
        {"15 pixels in 26: round(5.5) = 6 and round(20.5) = 20, the last row clipped", 101, 26, 15, {0, 6, 101, 20}},
        {"two lines of 15 in 40, centred as a block", 50, 40, 30, {0, 5, 50, 35}},
        {"taller than the button: clipped at both ends by the window", 60, 20, 31, {0, -6, 60, 26}},
    };
    for (const Case& c : cases) {
        model.onResize(c.width, c.height);
        host.measuredHeight = c.measured;
        host.captions.clear();
        model.setCaption("Lock Folder");
        ASSERT_EQ(host.captions.size(), 1u) << c.name;
        EXPECT_EQ(host.captions[0].rect, c.rect) << c.name;
    }
}

TEST_F(XpButtonModelLookTest, NothingIsWrittenForAnEmptyCaptionOrAnEmptyRectangle) {
    host.captions.clear();
    model.setCaption("");
    EXPECT_TRUE(host.captions.empty()) << "empty caption";
    host.measuredHeight = 0;
    model.setCaption("Go");
    EXPECT_TRUE(host.captions.empty()) << "no height";
    model.onResize(0, 26);
    EXPECT_TRUE(host.captions.empty()) << "no width";
}

// --- Setters ------------------------------------------------------------------------------------

TEST_F(XpButtonModelLookTest, SettersRepaintAndAnnounceInTheirOrder) {
    model.setCaption("Go");
    struct Case {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"Enabled false: store, announce, apply, repaint",
         [&] { model.setEnabled(false); },
         {"PropertyChanged(Enabled)", "setSurfaceEnabled(false)", "invalidate"}},
        {"Enabled true",
         [&] { model.setEnabled(true); },
         {"PropertyChanged(Enabled)", "setSurfaceEnabled(true)", "invalidate"}},
        {"Font: the surface's font, repaint, announce",
         [&] { model.setFont(StdFont{.name = "Liberation Sans", .size = 12, .weight = 700}); },
         {"setSurfaceFont(Liberation Sans)", "invalidate", "PropertyChanged(Font)"}},
        {"Caption: store, repaint, access key, announce",
         [&] { model.setCaption("E&xit"); },
         {"invalidate", "setAccessKeys(x)", "PropertyChanged(Caption)"}},
        {"ForeColor: repaint, announce",
         [&] { model.setForeColor(0x000000FF); },
         {"invalidate", "PropertyChanged(ForeColor)"}},
    };
    for (const Case& c : cases) {
        host.calls.clear();
        c.change();
        EXPECT_EQ(host.calls, c.calls) << c.name;
    }
    // ForeHover repaints nothing, even under the pointer.
    pointAt(50, 13);
    host.calls.clear();
    const Canvas before = model.canvas();
    model.setForeHover(0x00FF0000);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"PropertyChanged(ForeHover)"}));
    EXPECT_TRUE(std::equal(before.data(), before.data() + 101 * 26, model.canvas().data()));

    EXPECT_TRUE(model.Enabled());
    EXPECT_TRUE(host.surfaceEnabled);
    EXPECT_EQ(model.Font().weight, 700);
    EXPECT_EQ(host.surfaceFont.weight, 700);
    EXPECT_EQ(model.AccessKeys(), "x");
    EXPECT_EQ(model.ForeColor(), 0x000000FFu);
    EXPECT_EQ(model.ForeHover(), 0x00FF0000u);
}

}  // namespace
}  // namespace quorvane::test
