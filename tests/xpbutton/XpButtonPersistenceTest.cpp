// The control's five stored properties: reading with the ambient defaults, writing without the
// values equal to their defaults, new instances.
#include <gtest/gtest.h>

#include "platform/QtKeyInjector.h"
#include "xpbutton/PropertyBag.h"
#include "xpbutton/TulmXpButton.h"

namespace quorvane {
namespace {

const StdFont kComicBold{.name = "Comic Sans MS", .size = 8.25, .weight = 700};
const StdFont kAmbientFont{.name = "MS Sans Serif", .size = 8.25, .weight = 400};

class XpButtonPersistenceTest : public ::testing::Test {
protected:
    Ambient ambient{.Font = kAmbientFont, .ForeColor = 0x00112233, .DisplayName = "cmd"};
    QtKeyInjector keys;
    TulmXpButton button{keys};
};

TEST_F(XpButtonPersistenceTest, StoredInstanceWithoutForeHoverTakesItsForeColor) {
    const PropertyBag bag{{"_extentx", std::uint32_t{2672}},
                          {"_extenty", std::uint32_t{688}},
                          {"font", kComicBold},
                          {"caption", std::string("Lock Folder")},
                          {"forecolor", std::uint32_t{0x00C0C0C0}}};
    button.ReadProperties(bag, ambient);
    EXPECT_EQ(button.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(button.ForeHover(), 0x00C0C0C0u);
    EXPECT_EQ(button.Caption(), QStringLiteral("Lock Folder"));
    EXPECT_EQ(button.Font(), kComicBold);
    EXPECT_EQ(button.font().weight(), QFont::Bold);
    EXPECT_TRUE(button.Enabled());
}

TEST_F(XpButtonPersistenceTest, StoredInstanceWithoutForeColorTakesTheAmbientOne) {
    button.ReadProperties(PropertyBag{{"caption", std::string("Exit")}}, ambient);
    EXPECT_EQ(button.ForeColor(), 0x00112233u);
    EXPECT_EQ(button.ForeHover(), 0x00112233u);
    EXPECT_EQ(button.Font(), kAmbientFont);
    button.ReadProperties(PropertyBag{}, ambient);
    EXPECT_EQ(button.Caption(), QStringLiteral("cmd")) << "the ambient DisplayName";
}

TEST_F(XpButtonPersistenceTest, KeysInAnyCaseAreFound) {
    const PropertyBag bag{{"ENABLED", PropertyBag::boolean(false)},
                          {"Caption", std::string("E&xit")},
                          {"foreColor", std::uint32_t{0x006B7955}},
                          {"FOREHOVER", std::uint32_t{0x008080FF}}};
    button.ReadProperties(bag, ambient);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(button.isEnabled()) << "applied to the surface";
    EXPECT_EQ(button.Caption(), QStringLiteral("E&xit"));
    EXPECT_EQ(button.AccessKeys(), QStringLiteral("x")) << "the access key follows the loaded caption";
    EXPECT_EQ(button.ForeColor(), 0x006B7955u);
    EXPECT_EQ(button.ForeHover(), 0x008080FFu);
}

TEST_F(XpButtonPersistenceTest, ReadingDoesNotRepaint) {
    button.resize(101, 26);
    button.show();
    const QImage before = button.image();
    int changes = 0;
    QObject::connect(&button, &TulmXpButton::PropertyChanged, &button, [&changes](const QString&) { ++changes; });
    button.ReadProperties(PropertyBag{{"caption", std::string("Exit")}, {"forecolor", std::uint32_t{0xFF}}}, ambient);
    EXPECT_EQ(button.image(), before);
    EXPECT_EQ(changes, 0);
}

TEST_F(XpButtonPersistenceTest, WrittenBagLeavesOutDefaultsButAlwaysHasForeColor) {
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

TEST_F(XpButtonPersistenceTest, WrittenBagHoldsChangedValuesInOrderAndReadsBack) {
    button.ReadProperties(PropertyBag{}, ambient);
    button.setEnabled(false);
    button.setFont(kComicBold);
    button.setCaption(QStringLiteral("Unlock Folder"));
    button.setForeColor(0x00C0C0C0);
    button.setForeHover(0x006B7955);
    PropertyBag bag;
    button.WriteProperties(bag, ambient);
    ASSERT_EQ(bag.entries().size(), 5u);
    const char* order[] = {"Enabled", "Font", "Caption", "ForeColor", "ForeHover"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bag.entries()[static_cast<std::size_t>(i)].first, order[i]);
    EXPECT_EQ(std::get<std::int16_t>(bag.entries()[0].second), 0);

    TulmXpButton copy(keys);
    copy.ReadProperties(bag, ambient);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.Font(), kComicBold);
    EXPECT_EQ(copy.Caption(), QStringLiteral("Unlock Folder"));
    EXPECT_EQ(copy.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(copy.ForeHover(), 0x006B7955u);
}

TEST_F(XpButtonPersistenceTest, ForeHoverIsLeftOutExactlyWhenItReadsBackTheSame) {
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
        TulmXpButton copy(keys);
        copy.ReadProperties(bag, ambient);
        EXPECT_EQ(copy.ForeHover(), c.foreHover) << c.name;
    }
}

TEST_F(XpButtonPersistenceTest, NewInstanceTakesTheAmbientFontAndName) {
    button.InitProperties(ambient);
    EXPECT_EQ(button.Font(), kAmbientFont);
    EXPECT_EQ(button.Caption(), QStringLiteral("cmd"));
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.ForeColor(), 0x80000012u) << "the surface's initial colour";
    EXPECT_EQ(button.ForeHover(), 0u);
    EXPECT_EQ(button.LastButton(), 0);
    EXPECT_EQ(button.LastKey(), 0);
    EXPECT_FALSE(button.Hovering());
    EXPECT_FALSE(button.HoverTimer().isActive());
}

}  // namespace
}  // namespace quorvane
