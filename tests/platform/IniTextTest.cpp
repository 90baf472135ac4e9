// The profile writer's text: one table of what a write does to a file's bytes.
#include <gtest/gtest.h>

#include "platform/IniText.h"
#include "platform/Error.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::optional<std::string> value;
    std::string after;
};

// UTF-16 little endian bytes of ASCII text plus the code points given, for the UTF-16 cases.
std::string le(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

const std::string kOddFile =
    "; made by hand\r\n"
    "[ViewState]\r\n"
    "Mode=\r\n"
    "\r\n"
    "[.SHELLCLASSINFO]\r\n"
    "IconFile=C:\\old.ico\r\n"
    "InfoTip=Mine\r\n"
    "IconIndex=3\r\n"
    "\r\n"
    "[Other]\r\n"
    "iconfile=keep\r\n";

TEST(IniText, WriteTable) {
    const std::vector<WriteCase> cases = {
        {"new file gets the section and the key", "", ".ShellClassInfo", "iconfile", "/x/a.ico",
         "[.ShellClassInfo]\r\niconfile=/x/a.ico\r\n"},
        {"second key goes under the first", "[.ShellClassInfo]\r\niconfile=/x/a.ico\r\n", ".ShellClassInfo",
         "iconindex", "0", "[.ShellClassInfo]\r\niconfile=/x/a.ico\r\niconindex=0\r\n"},
        {"key replaced in place, in the file's spelling, other sections kept", kOddFile, ".ShellClassInfo", "iconfile",
         "/new.ico",
         "; made by hand\r\n[ViewState]\r\nMode=\r\n\r\n[.SHELLCLASSINFO]\r\nIconFile=/new.ico\r\nInfoTip=Mine\r\n"
         "IconIndex=3\r\n\r\n[Other]\r\niconfile=keep\r\n"},
        {"blanks around the name and the equals sign", "[s]\r\n  Key = old  \r\nz=1\r\n", "s", "KEY", "v",
         "[s]\r\nKey=v\r\nz=1\r\n"},
        {"missing key after the section's last non-blank line", "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "A", "k",
         "v", "[a]\r\nx=1\r\n; note\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        {"missing key under an unended header", "[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
        {"missing section after an unended last line", "[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"missing section at the end", "[a]\r\nx=1\r\n", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"missing section after blank lines", "[a]\r\n\r\n", "b", "k", "v", "[a]\r\n\r\n[b]\r\nk=v\r\n"},
        {"no value removes the key's line only", "[s]\r\na=1\r\nIconFile=x\r\nb=2\r\n", "S", "iconfile", std::nullopt,
         "[s]\r\na=1\r\nb=2\r\n"},
        {"no value removes every line of the key in its section, not in others",
         "[s]\r\nk=1\r\na=1\r\n K =2\r\n[t]\r\nk=3\r\n[S]\r\nk=4\r\n", "s", "k", std::nullopt,
         "[s]\r\na=1\r\n[t]\r\nk=3\r\n[S]\r\nk=4\r\n"},
        {"no value removes an unended last line", "[s]\r\na=1\r\nk=x", "s", "k", std::nullopt, "[s]\r\na=1\r\n"},
        {"no value for a missing key changes nothing", "[s]\r\na=1", "s", "k", std::nullopt, "[s]\r\na=1"},
        {"no value for a missing section changes nothing", "[t]\r\nk=1\r\n", "s", "k", std::nullopt, "[t]\r\nk=1\r\n"},
        {"no value for a missing file writes nothing", "", ".ShellClassInfo", "iconfile", std::nullopt, ""},
        {"empty value replaces", "[s]\r\nk=old\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
        {"empty value is written", "", ".ShellClassInfo", "iconfile", "", "[.ShellClassInfo]\r\niconfile=\r\n"},
        {"comments and text without equals sign are no keys", "[s]\r\n;iconfile=c\r\niconfile\r\n", "s", "iconfile",
         "v", "[s]\r\n;iconfile=c\r\niconfile\r\niconfile=v\r\n"},
        {"keys before the first section belong to none", "iconfile=top\r\n[s]\r\n", "s", "iconfile", "v",
         "iconfile=top\r\n[s]\r\niconfile=v\r\n"},
        {"first section and first key of duplicates", "[s]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n", "s", "k", "v",
         "[s]\r\nk=v\r\nk=2\r\n[S]\r\nk=3\r\n"},
        {"key of the same name in a later section is not taken", "[a]\r\nk=1\r\n[b]\r\n", "b", "k", "v",
         "[a]\r\nk=1\r\n[b]\r\nk=v\r\n"},
        {"LF lines stay LF, the written line ends CR LF", "[s]\nk=1\nz=2\n", "s", "k", "v", "[s]\nk=v\r\nz=2\n"},
        {"new key in an LF file", "[s]\nk=1\n", "s", "q", "1", "[s]\nk=1\nq=1\r\n"},
        {"blanks inside and around the brackets", " [ S ] \r\nk=1\r\n", "s", "k", "2", " [ S ] \r\nk=2\r\n"},
        {"a header without closing bracket is none", "[s\r\nk=1\r\n", "s", "k", "2", "[s\r\nk=1\r\n[s]\r\nk=2\r\n"},
        {"same value leaves the bytes as they are", "[s]\r\n k = 1 \n", "s", "k", "1", "[s]\r\n k = 1 \n"},
        {"unended key line replaced gets its line end", "[s]\r\nk=1", "s", "k", "2", "[s]\r\nk=2\r\n"},
        {"value kept as given, blanks and all", "", "s", "k", " a b ", "[s]\r\nk= a b \r\n"},
        {"8-bit text kept byte for byte", "[s]\r\nn=\xE9t\xE9\r\nk=1\r\n", "s", "k", "\xC3\xA4",
         "[s]\r\nn=\xE9t\xE9\r\nk=\xC3\xA4\r\n"},
        {"UTF-8 byte order mark kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "2", "\xEF\xBB\xBF[s]\r\nk=2\r\n"},
        {"UTF-16 file stays UTF-16", "\xFF\xFE"s + le(u"[s]\r\nn=\u00E9\U0001F600\r\nk=1\r\n"), "s", "k", "\xC3\xA4/x",
         "\xFF\xFE"s + le(u"[s]\r\nn=\u00E9\U0001F600\r\nk=\u00E4/x\r\n")},
        {"UTF-16 file: a lone surrogate survives", "\xFF\xFE"s + le(u"[s]\r\nn=") + "\x00\xD8"s + le(u"\r\n"), "s", "k",
         "1", "\xFF\xFE"s + le(u"[s]\r\nn=") + "\x00\xD8"s + le(u"\r\nk=1\r\n")},
        {"UTF-16 big endian", "\xFE\xFF\x00[\x00s\x00]\x00\r\x00\n"s, "s", "k", "1",
         "\xFE\xFF\x00[\x00s\x00]\x00\r\x00\n\x00k\x00=\x00\x31\x00\r\x00\n"s},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(IniWriteValue(c.before, c.section, c.key, c.value), c.after) << c.name;
    }
}

TEST(IniText, LineBreaksAndNulsAreRefused) {
    for (const auto& [section, key, value] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {".ShellClassInfo", "iconfile", "/a\r\n[x]"},
             {".ShellClassInfo", "iconfile", "/a\nb"},
             {".ShellClassInfo", "iconfile", "/a\rb"},
             {".ShellClassInfo", "iconfile", "/a\0b"s},
             {"s\n", "k", "v"},
             {"s", "k\r", "v"},
         }) {
        try {
            IniWriteValue("[s]\r\n", section, key, value);
            ADD_FAILURE() << "accepted " << section << "/" << key << "/" << value;
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::InvalidPathText);
        }
    }
    EXPECT_TRUE(IniStorable("/a b/c.ico"));
    EXPECT_FALSE(IniStorable("a\nb"));
}

// Text that is no valid UTF-8 never reaches a UTF-16 file: an overlong form would become a line
// break or a bracket there, a stray byte U+FFFD. An ANSI file takes the bytes as they are, on one line.
TEST(IniText, OnlyValidUtf8GoesIntoAUtf16File) {
    const std::string utf16 = "\xFF\xFE"s + le(u"[.ShellClassInfo]\r\n");
    const struct {
        const char* name;
        std::string value;
    } bad[] = {
        {"overlong LF", "/a\xC0\x8A[Other]\xC0\x8Dx=1.ico"},
        {"overlong CR, three bytes", "/a\xE0\x80\x8D.ico"},
        {"overlong bracket, four bytes", "/a\xF0\x80\x81\x9B.ico"},
        {"overlong NUL", "/a\xC0\x80.ico"},
        {"a surrogate", "/a\xED\xA0\x80.ico"},
        {"a surrogate pair in UTF-8 form", "/a\xED\xA0\xBD\xED\xB8\x80.ico"},
        {"beyond U+10FFFF", "/a\xF4\x90\x80\x80.ico"},
        {"a stray continuation byte", "/a\x80.ico"},
        {"a cut-off sequence", "/a\xE2\x82"},
        {"Latin-1", "/\xE9t\xE9.ico"},
    };
    for (const auto& c : bad) {
        for (const std::string& file : {utf16, "\xFE\xFF\x00[\x00s\x00]\x00\r\x00\n"s}) {
            try {
                IniWriteValue(file, ".ShellClassInfo", "iconfile", c.value);
                ADD_FAILURE() << "accepted " << c.name;
            } catch (const PlatformError& e) {
                EXPECT_EQ(e.number(), errc::InvalidPathText) << c.name;
                EXPECT_NE(e.description().find("not valid UTF-8"), std::string::npos) << c.name;
            }
        }
        EXPECT_THROW(IniWriteValue(utf16, c.value, "k", "v"), PlatformError) << c.name;
        EXPECT_THROW(IniWriteValue(utf16, "s", c.value, "v"), PlatformError) << c.name;
        // An ANSI file: the path's own bytes on the one line.
        EXPECT_EQ(IniWriteValue("[.ShellClassInfo]\r\n", ".ShellClassInfo", "iconfile", c.value),
                  "[.ShellClassInfo]\r\niconfile=" + c.value + "\r\n")
            << c.name;
        EXPECT_FALSE(IniUtf8(c.value)) << c.name;
    }
    // The largest and the smallest forms of each length are fine.
    const std::string good = "/\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_TRUE(IniUtf8(good));
    EXPECT_EQ(IniWriteValue(utf16, ".ShellClassInfo", "iconfile", good),
              utf16 + le(u"iconfile=/\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF\r\n"));
}

// Found by fuzzing: names the writer could not find again made a new line at every write.
TEST(IniText, EveryKeyWrittenIsFoundAgain) {
    const std::string once = IniWriteValue("[s]\r\n", " s ", " k ", "v");
    EXPECT_EQ(once, "[s]\r\nk=v\r\n");
    EXPECT_EQ(IniWriteValue(once, "s", "k", "v"), once);
    EXPECT_EQ(IniWriteValue(once, " s ", "\tk", "w"), "[s]\r\nk=w\r\n");
    for (const char* key : {"a=b", "=", "[x]", " [x"}) {
        try {
            IniWriteValue("[s]\r\n", "s", key, "v");
            ADD_FAILURE() << "accepted the key " << key;
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::InvalidPathText) << key;
        }
    }
}

TEST(IniText, ReadTable) {
    struct ReadCase {
        const char* name;
        std::string content;
        std::optional<std::string> expected;
    };
    const std::vector<ReadCase> cases = {
        {"plain", "[.ShellClassInfo]\r\niconfile=/a.ico\r\n", "/a.ico"},
        {"other case and blanks", "[.shellclassinfo]\n  IconFile =  /a b.ico  \n", "/a b.ico"},
        {"quoted", "[.ShellClassInfo]\r\nIconFile=\"/a.ico\"\r\n", "/a.ico"},
        {"empty", "[.ShellClassInfo]\r\niconfile=\r\n", ""},
        {"in another section only", "[x]\r\niconfile=/a.ico\r\n[.ShellClassInfo]\r\n", std::nullopt},
        {"no such section", "iconfile=/a.ico\r\n", std::nullopt},
        {"UTF-16", "\xFF\xFE"s + le(u"[.ShellClassInfo]\r\nIconFile=/\u00E4.ico\r\n"), "/\xC3\xA4.ico"},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(IniReadValue(c.content, ".ShellClassInfo", "iconfile"), c.expected) << c.name;
}

// Desktop entry files (".directory"): LF line ends and names matched exactly.
TEST(IniText, DesktopEntryWriteTable) {
    const std::vector<WriteCase> cases = {
        {"new file", "", "Desktop Entry", "Icon", "/x/a.ico", "[Desktop Entry]\nIcon=/x/a.ico\n"},
        {"other keys and groups kept, the key replaced in place",
         "[Desktop Entry]\nIcon=folder-red\nName=Mine\n\n[Dolphin]\nViewMode=1\n", "Desktop Entry", "Icon", "/a.ico",
         "[Desktop Entry]\nIcon=/a.ico\nName=Mine\n\n[Dolphin]\nViewMode=1\n"},
        {"a key in another case is another key", "[Desktop Entry]\nicon=x\n", "Desktop Entry", "Icon", "/a.ico",
         "[Desktop Entry]\nicon=x\nIcon=/a.ico\n"},
        {"a group in another case is another group", "[desktop entry]\nIcon=x\n", "Desktop Entry", "Icon", "/a.ico",
         "[desktop entry]\nIcon=x\n[Desktop Entry]\nIcon=/a.ico\n"},
        {"a translated key is another key", "[Desktop Entry]\nIcon[de]=x\n", "Desktop Entry", "Icon", "/a.ico",
         "[Desktop Entry]\nIcon[de]=x\nIcon=/a.ico\n"},
        {"no value removes the key", "[Desktop Entry]\nIcon=/a.ico\nName=Mine\n", "Desktop Entry", "Icon", std::nullopt,
         "[Desktop Entry]\nName=Mine\n"},
        {"after an unended last line", "[Dolphin]\nViewMode=1", "Desktop Entry", "Icon", "/a.ico",
         "[Dolphin]\nViewMode=1\n[Desktop Entry]\nIcon=/a.ico\n"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(IniWriteValue(c.before, c.section, c.key, c.value, kDesktopEntryFormat), c.after) << c.name;
    }
}

// What is left of a file when its icon keys go: nothing at all, or settings of its own.
TEST(IniText, HoldsOnlyTable) {
    struct Case {
        const char* name;
        std::string content;
        bool profile;  // else a desktop entry
        bool only;
    };
    const std::vector<Case> cases = {
        {"empty file", "", true, true},
        {"the two icon keys", "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n", true, true},
        {"any case, blanks, blank lines", "\r\n[ .shellclassinfo ]\r\n\r\n  IconFile = x \r\nICONINDEX=0\r\n\r\n", true,
         true},
        {"only the header", "[.ShellClassInfo]\r\n", true, true},
        {"UTF-16", "\xFF\xFE"s + le(u"[.ShellClassInfo]\r\niconfile=/a.ico\r\n"), true, true},
        {"another key of the section", "[.ShellClassInfo]\r\niconfile=/a.ico\r\nInfoTip=Mine\r\niconindex=0\r\n", true,
         false},
        {"another section, even empty", "[.ShellClassInfo]\r\niconfile=/a.ico\r\n[ViewState]\r\n", true, false},
        {"a comment", "; mine\r\n[.ShellClassInfo]\r\niconfile=/a.ico\r\n", true, false},
        {"a key before any section", "iconfile=/a.ico\r\n[.ShellClassInfo]\r\n", true, false},
        {"a line without equals sign", "[.ShellClassInfo]\r\niconfile\r\n", true, false},
        {"desktop entry with the icon only", "[Desktop Entry]\nIcon=/a.ico\n", false, true},
        {"desktop entry with a name", "[Desktop Entry]\nIcon=/a.ico\nName=Mine\n", false, false},
        {"desktop entry: the key in another case is a setting of its own", "[Desktop Entry]\nicon=x\n", false, false},
    };
    for (const Case& c : cases) {
        const bool only = c.profile ? IniHoldsOnly(c.content, ".ShellClassInfo", {"iconfile", "iconindex"})
                                    : IniHoldsOnly(c.content, "Desktop Entry", {"Icon"}, kDesktopEntryFormat);
        EXPECT_EQ(only, c.only) << c.name;
    }
}

}  // namespace
}  // namespace quorvane
