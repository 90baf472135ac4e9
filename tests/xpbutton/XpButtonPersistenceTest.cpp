// The widget's side of the stored properties: what a stored instance sets reaches the Qt widget
// (its font, its enabled state, the caption as text), reading repaints nothing and announces
// nothing, and a bag written by one widget reads back in another. The rules of reading and writing
// are the model's (xp_button_model_persistence_test).
#include <gtest/gtest.h>

#include "qt/KeyInjector.h"
#include "xpbutton/PropertyBag.h"
#include "qt/TulmXpButton.h"

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

TEST_F(XpButtonPersistenceTest, StoredInstanceReachesTheWidget) {
    const PropertyBag bag{{"_extentx", std::uint32_t{2672}},        {"_extenty", std::uint32_t{688}},
                          {"ENABLED", PropertyBag::boolean(false)}, {"font", kComicBold},
                          {"caption", std::string("E&xit")},        {"forecolor", std::uint32_t{0x00C0C0C0}}};
    button.ReadProperties(bag, ambient);
    EXPECT_EQ(button.Font(), kComicBold);
    EXPECT_EQ(button.font().weight(), QFont::Bold);
    EXPECT_EQ(button.font().family(), QStringLiteral("Comic Sans MS"));
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(button.isEnabled()) << "applied to the surface";
    EXPECT_EQ(button.Caption(), QStringLiteral("E&xit"));
    EXPECT_EQ(button.AccessKeys(), QStringLiteral("x"));
    EXPECT_EQ(button.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(button.ForeHover(), 0x00C0C0C0u);
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

TEST_F(XpButtonPersistenceTest, WrittenBagReadsBackInAnotherWidget) {
    button.ReadProperties(PropertyBag{}, ambient);
    button.setEnabled(false);
    button.setFont(kComicBold);
    button.setCaption(QStringLiteral("Zur\u00fcck \u00bb"));  // the caption crosses as UTF-8 text
    button.setForeColor(0x00C0C0C0);
    button.setForeHover(0x006B7955);
    PropertyBag bag;
    button.WriteProperties(bag, ambient);
    ASSERT_EQ(bag.entries().size(), 5u);
    EXPECT_EQ(std::get<std::string>(bag.entries()[2].second),
              "Zur\xc3\xbc"
              "ck \xc2\xbb");

    TulmXpButton copy(keys);
    copy.ReadProperties(bag, ambient);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_FALSE(copy.isEnabled());
    EXPECT_EQ(copy.Font(), kComicBold);
    EXPECT_EQ(copy.Caption(), QStringLiteral("Zur\u00fcck \u00bb"));
    EXPECT_EQ(copy.ForeColor(), 0x00C0C0C0u);
    EXPECT_EQ(copy.ForeHover(), 0x006B7955u);
}

TEST_F(XpButtonPersistenceTest, NewInstanceTakesTheAmbientFontAndName) {
    button.InitProperties(ambient);
    EXPECT_EQ(button.Font(), kAmbientFont);
    EXPECT_EQ(button.font().family(), QStringLiteral("MS Sans Serif"));
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
