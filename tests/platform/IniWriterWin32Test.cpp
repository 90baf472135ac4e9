// Our profile text routine against the system's profile writer: every case must give the same
// bytes, so that "desktop.ini" comes out the same whichever of the two wrote it.
#include <gtest/gtest.h>

#include <optional>

#include "platform/Error.h"
#include "platform/IniText.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/IniWriter.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;

struct Case {
    const char* name;
    std::optional<std::string> before;  // nothing: no file
    const char* section;
    const char* key;
    std::optional<std::string> value;
    bool hiddenSystem = false;  // the file has attributes 6, as "Change Icon" leaves "desktop.ini"
    bool blankLines = false;    // the file has blank lines (see withoutBlankLines)
};

// wine's profile writer rewrites the whole file and leaves out its blank lines, where Windows
// edits the file in place and keeps them. Our text keeps them, as Windows does; under wine the
// two must then differ by the blank lines alone.
std::string withoutBlankLines(const std::string& text) {
    std::string out = text;
    for (std::size_t at; (at = out.find("\r\n\r\n")) != std::string::npos;) out.erase(at, 2);
    if (out.rfind("\r\n", 0) == 0) out.erase(0, 2);
    return out;
}

const std::string kOtherSections =
    "; made by hand\r\n"
    "[ViewState]\r\n"
    "Mode=\r\n"
    "Vid=x\r\n"
    "\r\n"
    "[.ShellClassInfo]\r\n"
    "InfoTip=Mine\r\n"
    "\r\n"
    "[Other]\r\n"
    "iconfile=keep\r\n";

// Text that is no valid UTF-8 is refused before the system's writer sees it: an overlong form
// would otherwise become a line break or a bracket in the file.
TEST(IniWriterWin32, OnlyValidUtf8IsWritten) {
    test::TempDir tmp;
    const std::string file = tmp / "desktop.ini";
    const std::string before = "[.ShellClassInfo]\r\nInfoTip=Mine\r\n";
    writeBytes(file, before);
    IniWriterWin32 writer;
    for (const std::string& value : {"C:\\a\xC0\x8A[Other]\xC0\x8Dx=1.ico"s, "C:\\a\xED\xA0\x80.ico"s,
                                     "C:\\a\xE0\x80\x8D.ico"s, "C:\\a\xF4\x90\x80\x80.ico"s}) {
        EXPECT_FALSE(writer.canStore(value));
        EXPECT_FALSE(win32::toWide(value).has_value());
        try {
            writer.writeString(".ShellClassInfo", "iconfile", value, file);
            ADD_FAILURE() << "written";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::InvalidPathText);
        }
        EXPECT_EQ(readBytes(file), before);
    }
}

TEST(IniWriterWin32, SameBytesAsOurText) {
    const std::vector<Case> cases = {
        {"new file", std::nullopt, ".ShellClassInfo", "iconfile", "C:\\Icons\\a.ico"},
        {"second key into a new file's section", "[.ShellClassInfo]\r\niconfile=C:\\a.ico\r\n", ".ShellClassInfo",
         "iconindex", "0"},
        {"existing file with other sections, comments and blank lines: new key", kOtherSections, ".ShellClassInfo",
         "iconfile", "C:\\a.ico", false, true},
        {"existing file: key in another section untouched, new section", kOtherSections, "New", "iconfile", "x", false,
         true},
        {"key in other case replaced", "[.SHELLCLASSINFO]\r\nIconFile=C:\\old.ico\r\nIconIndex=3\r\n",
         ".ShellClassInfo", "iconfile", "C:\\new.ico"},
        {"spaces around the equals sign", "[s]\r\nk = old\r\nz=1\r\n", "s", "k", "v"},
        {"missing final line end, key replaced", "[s]\r\nk=1", "s", "k", "2"},
        {"missing final line end, key added", "[s]\r\na=1", "s", "k", "2"},
        {"missing final line end, section added", "[a]\r\nx=1", "b", "k", "v"},
        {"no value removes the key", "[s]\r\na=1\r\niconfile=x\r\nb=2\r\n", "s", "iconfile", std::nullopt},
        {"no value removes every line of the key", "[s]\r\nk=1\r\na=1\r\nK=2\r\n[t]\r\nk=3\r\n", "s", "k",
         std::nullopt},
        {"no value for a missing key", "[s]\r\na=1\r\n", "s", "iconfile", std::nullopt},
        {"no value for a missing file", std::nullopt, ".ShellClassInfo", "iconfile", std::nullopt},
        {"empty value into a new file", std::nullopt, ".ShellClassInfo", "iconfile", ""},
        {"empty value replaces", "[s]\r\nk=old\r\n", "s", "k", ""},
        {"same value again", "[s]\r\nk=1\r\n", "s", "k", "1"},
        {"Western text in the code page", "[s]\r\nn=caf\xe9\r\n", "s", "k", "C:\\\xc3\xa9t\xc3\xa9.ico"},
        {"hidden and system file written again", "[.ShellClassInfo]\r\niconfile=C:\\a.ico\r\niconindex=0\r\n",
         ".ShellClassInfo", "iconfile", "C:\\b.ico", true},
    };
    test::TempDir tmp;
    IniWriterWin32 writer;
    FileSystemWin32 fs;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = tmp / ("system-" + std::to_string(++n) + ".ini");  // new name: no cached copy
        if (c.before) writeBytes(file, *c.before);
        if (c.hiddenSystem) fs.setAttributes(file, 6);
        writer.writeString(c.section, c.key, c.value, file);
        // Our routine works on the file's bytes: it gets the value as the file holds it.
        const std::optional<std::string> stored = c.value ? win32::toAnsi(*c.value) : std::nullopt;
        ASSERT_EQ(stored.has_value(), c.value.has_value());
        const std::string ours = IniWriteValue(c.before.value_or(""), c.section, c.key, stored);
        if (!c.before && ours.empty()) {
            EXPECT_FALSE(exists(file));
        } else if (c.blankLines) {
            EXPECT_EQ(readBytes(file), withoutBlankLines(ours));
        } else {
            EXPECT_EQ(readBytes(file), ours);
        }
        if (c.hiddenSystem) {
            EXPECT_EQ(fs.attributes(file) & 6u, 6u);
        }
    }
}

}  // namespace
}  // namespace quorvane
