// The button's five stored properties: reading with the ambient defaults, writing without the
// values equal to their defaults, new instances.
#include "xpbutton/FakeButtonHost.h"
#include "xpbutton/PropertyBag.h"

namespace quorvane::test {
namespace {

const StdFont kComicBold{.name = "Comic Sans MS", .size = 8.25, .weight = 700};
const StdFont kAmbientFont{.name = "MS Sans Serif", .size = 8.25, .weight = 400};

class XpButtonModelPersistenceTest : public ::testing::Test {
protected:
    Ambient ambient{.Font = kAmbientFont, .ForeColor = 0x00112233, .DisplayName = "cmd"};
    FakeButtonHost host;
    RecordingKeyInjector keys;
    XpButtonModel button{host, keys};
};

TEST_F(XpButtonModelPersistenceTest, StoredInstanceWithoutForeHoverTakesItsForeColor) {
    const PropertyBag bag{{"_extentx", std::uint32_t{2672}},
                          {"_extenty", std::uint32_t{688}},
                          {"font", kComicBold},
                          {"caption", std::string("Lock Folder")},
                          {"forecolor", std::uint32_t{0x00C0C0C0}}};
    button.ReadProperties(bag, ambient);
    EXPECT_EQ(button.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(button.ForeHover(), 0x00C0C0C0u);
    EXPECT_EQ(button.Caption(), "Lock Folder");
    EXPECT_EQ(button.Font(), kComicBold);
    EXPECT_EQ(host.surfaceFont, kComicBold) << "the caption is drawn in it";
    EXPECT_TRUE(button.Enabled());
}

TEST_F(XpButtonModelPersistenceTest, StoredInstanceWithoutForeColorTakesTheAmbientOne) {
    button.ReadProperties(PropertyBag{{"caption", std::string("Exit")}}, ambient);
    EXPECT_EQ(button.ForeColor(), 0x00112233u);
    EXPECT_EQ(button.ForeHover(), 0x00112233u);
    EXPECT_EQ(button.Font(), kAmbientFont);
    button.ReadProperties(PropertyBag{}, ambient);
    EXPECT_EQ(button.Caption(), "cmd") << "the ambient DisplayName";
}

TEST_F(XpButtonModelPersistenceTest, KeysInAnyCaseAreFound) {
    const PropertyBag bag{{"ENABLED", PropertyBag::boolean(false)},
                          {"Caption", std::string("E&xit")},
                          {"foreColor", std::uint32_t{0x006B7955}},
                          {"FOREHOVER", std::uint32_t{0x008080FF}}};
    button.ReadProperties(bag, ambient);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(host.surfaceEnabled) << "applied to the surface";
    EXPECT_EQ(button.Caption(), "E&xit");
    EXPECT_EQ(button.AccessKeys(), "x") << "the access key follows the loaded caption";
    EXPECT_EQ(host.accessKeys, "x");
    EXPECT_EQ(button.ForeColor(), 0x006B7955u);
    EXPECT_EQ(button.ForeHover(), 0x008080FFu);
}

TEST_F(XpButtonModelPersistenceTest, ReadingDoesNotRepaint) {
    button.onResize(101, 26);
    button.onShow();
    const Canvas before = button.canvas();
    host.calls.clear();
    button.ReadProperties(PropertyBag{{"caption", std::string("Exit")}, {"forecolor", std::uint32_t{0xFF}}}, ambient);
    EXPECT_TRUE(std::equal(before.data(), before.data() + 101 * 26, button.canvas().data()));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "invalidate"), 0);
    EXPECT_EQ(std::count_if(host.calls.begin(), host.calls.end(),
                            [](const std::string& c) { return c.rfind("PropertyChanged", 0) == 0; }),
              0);
    EXPECT_TRUE(host.captions.empty());
}

TEST_F(XpButtonModelPersistenceTest, WrittenBagLeavesOutDefaultsButAlwaysHasForeColor) {
    button.ReadProperties(PropertyBag{{"forecolor", std::uint32_t{0x00112233}}}, ambient);
    PropertyBag bag{{"_extentx", std::uint32_t{2672}}, {"_extenty", std::uint32_t{688}}};
    button.WriteProperties(bag, ambient);
    ASSERT_EQ(bag.entries().size(), 3u);
    EXPECT_EQ(bag.entries()[0].first, "_extentx");
    EXPECT_EQ(bag.entries()[1].first, "_extenty");
    EXPECT_EQ(bag.entries()[2].first, "ForeColor");
    EXPECT_EQ(std::get<std::uint32_t>(bag.entries()[2].second), 0x00112233u);
    EXPECT_EQ(std::get<std::uint32_t>(bag.entries()[0].second), 2672u) << "the container's extent is left alone";
}

TEST_F(XpButtonModelPersistenceTest, WrittenBagHoldsChangedValuesInOrderAndReadsBack) {
    button.ReadProperties(PropertyBag{}, ambient);
    button.setEnabled(false);
    button.setFont(kComicBold);
    button.setCaption("Unlock Folder");
    button.setForeColor(0x00C0C0C0);
    button.setForeHover(0x006B7955);
    PropertyBag bag;
    button.WriteProperties(bag, ambient);
    ASSERT_EQ(bag.entries().size(), 5u);
    const char* order[] = {"Enabled", "Font", "Caption", "ForeColor", "ForeHover"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bag.entries()[static_cast<std::size_t>(i)].first, order[i]);
    EXPECT_EQ(std::get<std::int16_t>(bag.entries()[0].second), 0);

    FakeButtonHost copyHost;
    XpButtonModel copy(copyHost, keys);
    copy.ReadProperties(bag, ambient);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.Font(), kComicBold);
    EXPECT_EQ(copy.Caption(), "Unlock Folder");
    EXPECT_EQ(copy.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(copy.ForeHover(), 0x006B7955u);
}

TEST_F(XpButtonModelPersistenceTest, ForeHoverIsLeftOutExactlyWhenItReadsBackTheSame) {
    struct Case {
        const char* name;
        std::uint32_t foreColor, foreHover;
        bool written;
    };
    const Case cases[] = {
        {"equal to ForeColor: reads back as ForeColor", 0x00C0C0C0, 0x00C0C0C0, false},
        {"equal to the ambient colour but not ForeColor: kept", 0x00C0C0C0, 0x00112233, true},
        {"its own colour", 0x00C0C0C0, 0x006B7955, true},
    };
    for (const Case& c : cases) {
        button.ReadProperties(PropertyBag{{"forecolor", c.foreColor}, {"forehover", c.foreHover}}, ambient);
        PropertyBag bag;
        button.WriteProperties(bag, ambient);
        EXPECT_EQ(bag.contains("ForeHover"), c.written) << c.name;
        FakeButtonHost copyHost;
        XpButtonModel copy(copyHost, keys);
        copy.ReadProperties(bag, ambient);
        EXPECT_EQ(copy.ForeHover(), c.foreHover) << c.name;
    }
}

TEST_F(XpButtonModelPersistenceTest, NewInstanceTakesTheAmbientFontAndName) {
    button.InitProperties(ambient);
    EXPECT_EQ(button.Font(), kAmbientFont);
    EXPECT_EQ(host.surfaceFont, kAmbientFont);
    EXPECT_EQ(button.Caption(), "cmd");
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.ForeColor(), 0x80000012u) << "the surface's initial colour";
    EXPECT_EQ(button.ForeHover(), 0u);
    EXPECT_EQ(button.LastButton(), 0);
    EXPECT_EQ(button.LastKey(), 0);
    EXPECT_FALSE(button.Hovering());
    EXPECT_FALSE(host.timerRunning);
}

}  // namespace
}  // namespace quorvane::test
