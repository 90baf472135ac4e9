// What a register line holds on Windows: the path in the ANSI code page (Western, 1252, in the
// test's locale). A path the code page cannot hold is refused, never written with "?".
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Error.h"
#include "platform/win32/FileSystem.h"
#include "protect/ListFile.h"
#include "protect/Register.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;
using Items = std::vector<std::string>;

class RegisterTextWin32 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::GetACP(), 1252u) << "the cases below are written for code page 1252"; }
    Items load() {
        Items items;
        LoadListFromFile(fs, messages, reg, [&items](std::string&& line) { items.push_back(std::move(line)); });
        return items;
    }

    test::TempDir tmp;
    FileSystemWin32 fs;
    test::RecordingMessages messages;
    const std::string reg = tmp / "l0g.ext";
};

TEST_F(RegisterTextWin32, LinesAreReadFromTheCodePage) {
    writeBytes(reg, "C:\\caf\xe9\r\nC:\\\x80 \xff\r\n");
    EXPECT_EQ(load(), (Items{"C:\\caf\xc3\xa9", "C:\\\xe2\x82\xac \xc3\xbf"}));
}

TEST_F(RegisterTextWin32, ItemsAreSavedInTheCodePage) {
    EXPECT_TRUE(SaveListToFile(fs, {"C:\\caf\xc3\xa9", "C:\\\xe2\x82\xac"}, reg));
    EXPECT_EQ(readBytes(reg), "C:\\caf\xe9\r\nC:\\\x80\r\n");
}

TEST_F(RegisterTextWin32, AnItemTheCodePageLacksFailsTheSaveAndKeepsTheFile) {
    writeBytes(reg, "C:\\old\r\n");
    for (const std::string& item : {std::string("C:\\\xce\xa9mega"), std::string("C:\\\xe6\x97\xa5"),
                                    std::string("C:\\\xff")}) {  // Greek, CJK, no UTF-8 at all
        SCOPED_TRACE(item);
        EXPECT_FALSE(SaveListToFile(fs, {"C:\\a", item}, reg));
        EXPECT_EQ(readBytes(reg), "C:\\old\r\n");
        EXPECT_EQ(test::namesIn(tmp.path()), std::vector<std::string>{"l0g.ext"});
    }
}

TEST_F(RegisterTextWin32, HidingAFolderWithAWesternNameWritesItsCodePageBytes) {
    const std::string folder = tmp / "caf\xc3\xa9";
    test::makeDir(folder);
    hideAndRecord(fs, folder, reg);
    const std::string stored = readBytes(reg);
    EXPECT_EQ(stored.substr(stored.size() - 7), "\\caf\xe9\r\n");
    EXPECT_EQ(load(), Items{folder});
}

TEST_F(RegisterTextWin32, HidingAFolderTheCodePageCannotNameChangesNothing) {
    const std::string folder = tmp / "\xce\xa9mega \xe6\x97\xa5";
    test::makeDir(folder);
    writeBytes(reg, "C:\\a\r\n");
    const std::uint32_t before = fs.attributes(folder);
    try {
        hideAndRecord(fs, folder, reg);
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), errc::InvalidPathText);
    }
    EXPECT_EQ(readBytes(reg), "C:\\a\r\n");
    EXPECT_EQ(fs.attributes(folder), before);
}

}  // namespace
}  // namespace quorvane
