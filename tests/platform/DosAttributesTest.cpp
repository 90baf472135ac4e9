#include "platform/DosAttributes.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace quorvane {
namespace {

TEST(DosAttributes, FormatsHexTextWithItsNul) {
    EXPECT_EQ(formatDosAttrib(0x6), "0x6\0"s);
    EXPECT_EQ(formatDosAttrib(0x20), "0x20\0"s);
    EXPECT_EQ(formatDosAttrib(0x4), "0x4\0"s);
    EXPECT_EQ(formatDosAttrib(0), "0x0\0"s);
}

TEST(DosAttributes, ParsesWhatSambaAndWineStore) {
    struct Case {
        const char* name;
        std::string value;
        std::optional<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"ours", "0x6\0"s, 0x6},
        {"wine, no NUL", "0x6"s, 0x6},
        {"samba with binary record", "0x16\0\x03\0\x04\0\x11\x22\xff"s, 0x16},
        {"archive", "0x20\0"s, 0x20},
        {"upper case hex", "0X2A"s, 0x2A},
        {"bare hex", "27"s, 0x27},
        {"empty", ""s, std::nullopt},
        {"only prefix", "0x\0"s, std::nullopt},
        {"binary only", "\x01\x02"s, std::nullopt},
        {"too long", "0x123456789"s, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parseDosAttrib(c.value), c.expected) << c.name;
}

TEST(HiddenList, AddKeepsOtherLinesAndAddsOnce) {
    EXPECT_EQ(hiddenListAdd("", "a"), "a\n");
    EXPECT_EQ(hiddenListAdd("x\n", "a"), "x\na\n");
    EXPECT_EQ(hiddenListAdd("x", "a"), "x\na\n");  // a last line without LF gets one first
    EXPECT_EQ(hiddenListAdd("x\na\ny\n", "a"), "x\na\ny\n");
    EXPECT_EQ(hiddenListAdd("  a\n", "a"), "  a\na\n");  // names are compared exactly
}

TEST(HiddenList, RemoveTakesOnlyThatName) {
    EXPECT_EQ(hiddenListRemove("x\na\ny\n", "a"), "x\ny\n");
    EXPECT_EQ(hiddenListRemove("a\n", "a"), "");
    EXPECT_EQ(hiddenListRemove("x\r\na\n#c\n\n", "a"), "x\r\n#c\n\n");
    EXPECT_EQ(hiddenListRemove("x\na", "a"), "x\n");
    EXPECT_EQ(hiddenListRemove("ab\n", "a"), "ab\n");
    EXPECT_TRUE(hiddenListContains("x\na", "a"));
    EXPECT_FALSE(hiddenListContains("x\nab\n", "a"));
}

}  // namespace
}  // namespace quorvane
