// The property bag: names in any case, defaults on reading, values equal to their default left out.
#include <gtest/gtest.h>

#include "xpbutton/PropertyBag.h"

namespace quorvane {
namespace {

TEST(PropertyBagTest, ReadsFindNamesInAnyCaseAndFallBackToTheDefault) {
    const PropertyBag bag{{"caption", std::string("Lock Folder")},
                          {"FORECOLOR", std::uint32_t{0x00C0C0C0}},
                          {"enabled", PropertyBag::boolean(false)}};
    EXPECT_EQ(bag.readString("Caption", "x"), "Lock Folder");
    EXPECT_EQ(bag.readColour("ForeColor", 0), 0x00C0C0C0u);
    EXPECT_FALSE(bag.readBoolean("Enabled", true));
    EXPECT_EQ(bag.readColour("ForeHover", 0x123456), 0x123456u);
    EXPECT_TRUE(bag.readBoolean("Missing", true));
}

TEST(PropertyBagTest, BooleansAreSixteenBitMinusOneAndZero) {
    PropertyBag bag;
    bag.write("Enabled", PropertyBag::boolean(true));
    bag.write("Other", PropertyBag::boolean(false));
    EXPECT_EQ(std::get<std::int16_t>(bag.entries()[0].second), -1);
    EXPECT_EQ(std::get<std::int16_t>(bag.entries()[1].second), 0);
    PropertyBag stored{{"enabled", std::int16_t{1}}};  // any non-zero value reads as true
    EXPECT_TRUE(stored.readBoolean("Enabled", false));
}

TEST(PropertyBagTest, WriteLeavesOutAValueEqualToItsDefault) {
    PropertyBag bag;
    bag.write("Caption", std::string("Exit"), std::string("cmd"));
    bag.write("Enabled", PropertyBag::boolean(true), PropertyBag::boolean(true));
    bag.write("ForeColor", std::uint32_t{0});  // no default: always written
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.entries()[0].first, "Caption");
    EXPECT_EQ(bag.entries()[1].first, "ForeColor");
    // Writing a value back to its default takes the old one out, so a later read gives the default.
    bag.write("caption", std::string("cmd"), std::string("cmd"));
    EXPECT_FALSE(bag.contains("Caption"));
    // Writing an existing name in another case replaces it in place.
    bag.write("FORECOLOR", std::uint32_t{5});
    ASSERT_EQ(bag.entries().size(), 1u);
    EXPECT_EQ(bag.readColour("forecolor", 0), 5u);
}

TEST(PropertyBagTest, FontsCompareByEveryField) {
    StdFont comic{.name = "Comic Sans MS", .size = 8.25, .weight = 700};
    PropertyBag bag;
    bag.write("Font", comic, comic);
    EXPECT_FALSE(bag.contains("Font"));
    StdFont thai = comic;
    thai.charset = 222;
    bag.write("Font", thai, comic);
    EXPECT_EQ(bag.readFont("font", StdFont{}), thai);
}

TEST(PropertyBagTest, NumbersConvertToTheDefaultsKindOtherKindsGiveTheDefault) {
    const PropertyBag bag{{"forecolor", std::int16_t{255}}, {"enabled", std::string("yes")}};
    EXPECT_EQ(bag.readColour("ForeColor", 0), 255u);
    EXPECT_TRUE(bag.readBoolean("Enabled", true));
}

}  // namespace
}  // namespace quorvane
