#include "platform/DosAttributes.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::hexBytes;

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

// Creation times as NTTIME: the one from a live Samba 4.17 record, and 2001-02-03 04:05:06 UTC.
const std::string kCreated = " ac 25 af 09 a9 88 dd 01 ";
const std::string kCreated2001 = " 00 05 b5 7d 96 8d c0 01 ";
const std::string kItime2020 = " 80 00 c4 4a 19 c1 d5 01 ";  // 2020-01-02 03:04:05 UTC

// What each writer leaves, read back; and the value written over it, in which only the hex text,
// the alignment after it, the attribute field and its valid flag may differ.
TEST(DosAttributes, RecordsOfEveryVersionAreReadAndKept) {
    struct Case {
        const char* name;
        std::string stored;
        std::optional<std::uint32_t> read;
        std::uint32_t attributes;
        bool directory;
        std::string written;
    };
    const Case cases[] = {
        {"version 5 (Samba 4.17 on): a hidden + system folder, shown again",
         hexBytes("00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 16 00 00 00 |" + kCreated), 0x16, 0x20, true,
         hexBytes("30 78 33 30 00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 30 00 00 00 |" + kCreated)},
        {"version 4 (Samba 4.11 to 4.16): an archive file made hidden + system",
         hexBytes("00 | 00 | 04 00 04 00 | 00 00 | 51 00 00 00 | 20 00 00 00 |" + kItime2020 + kCreated2001), 0x20, 0x6,
         false,
         hexBytes("30 78 30 36 00 | 00 | 04 00 04 00 | 00 00 | 51 00 00 00 | 06 00 00 00 |" + kItime2020 +
                  kCreated2001)},
        {"version 3 (Samba 3.5 to 4.10): a plain folder hidden",
         hexBytes("30 78 31 30 00 | 00 | 03 00 03 00 | 00 00 | 11 00 00 00 | 10 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kCreated2001 + "00 00 00 00 00 00 00 00"),
         0x10, 0x6, true,
         hexBytes("30 78 31 36 00 | 00 | 03 00 03 00 | 00 00 | 11 00 00 00 | 16 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kCreated2001 + "00 00 00 00 00 00 00 00")},
        {"version 1 (older Samba 3): no valid flags",
         hexBytes("30 78 31 30 00 | 00 | 01 00 01 00 | 00 00 | 10 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kCreated2001 + kCreated2001),
         0x10, 0x4, true,
         hexBytes("30 78 31 34 00 | 00 | 01 00 01 00 | 00 00 | 14 00 00 00 | 00 00 00 00 |"
                  " 00 00 00 00 00 00 00 00 | 00 00 00 00 00 00 00 00 |" +
                  kCreated2001 + kCreated2001)},
        {"version 5 behind a hex text that puts it at offset 4",
         hexBytes("30 78 36 00 | 05 00 05 00 | 11 00 00 00 | 06 00 00 00 |" + kCreated), 0x6, 0x4, false,
         hexBytes("30 78 30 34 00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 04 00 00 00 |" + kCreated)},
        {"version 5 without the attribute's valid flag: Samba reads the field all the same",
         hexBytes("00 | 00 | 05 00 05 00 | 00 00 | 10 00 00 00 | 14 00 00 00 |" + kCreated), 0x14, 0x2, true,
         hexBytes("30 78 31 32 00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 12 00 00 00 |" + kCreated)},
        {"version 5 followed by bytes of a later writer",
         hexBytes("00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 10 00 00 00 |" + kCreated + "| de ad be"), 0x10, 0x6,
         true,
         hexBytes("30 78 31 36 00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 16 00 00 00 |" + kCreated + "| de ad be")},
        {"hex text and NUL (older Samba, ours)", "0x16\0"s, 0x16, 0x20, true, "0x20\0"s},
        {"hex text alone (wine)", "0x6"s, 0x6, 0x20, false, "0x20\0"s},
        {"nothing stored yet", ""s, std::nullopt, 0x6, true, "0x6\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDosAttrib(c.stored), c.read) << c.name;
        EXPECT_EQ(updateDosAttrib(c.stored, c.attributes, c.directory), std::optional<std::string>(c.written))
            << c.name;
    }
}

TEST(DosAttributes, ValuesWeDoNotUnderstandAreNotOverwritten) {
    struct Case {
        const char* name;
        std::string stored;
        std::optional<std::uint32_t> read;  // from the hex text, if there is one
    };
    const Case cases[] = {
        {"unknown version 6", hexBytes("00 | 00 | 06 00 06 00 | 00 00 | 11 00 00 00 | 16 00 00 00 |" + kCreated),
         std::nullopt},
        {"version 2, whose record we do not take apart", hexBytes("30 78 31 36 00 | 00 | 02 00 02 00 | 00 00 00 00"),
         0x16},
        {"a level that differs from the version",
         hexBytes("00 | 00 | 05 00 04 00 | 00 00 | 11 00 00 00 | 16 00 00 00 |" + kCreated), std::nullopt},
        {"a record cut short",
         hexBytes("30 78 31 36 00 | 00 | 05 00 05 00 | 00 00 | 11 00 00 00 | 16 00 00 00 | ac 25"), 0x16},
        {"a single byte after the NUL", "0x16\0\0"s, 0x16},
        {"text that is no number", "hidden"s, std::nullopt},
        {"only the prefix", "0x\0"s, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDosAttrib(c.stored), c.read) << c.name;
        EXPECT_EQ(updateDosAttrib(c.stored, 0x6, true), std::nullopt) << c.name;
    }
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
