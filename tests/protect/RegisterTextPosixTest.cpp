// What a register line holds on Linux: a path is its own bytes, whatever they are, and a hidden
// folder is also listed in its parent's ".hidden".
#include <gtest/gtest.h>

#include "platform/posix/FileSystem.h"
#include "protect/ListFile.h"
#include "protect/Register.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::readBytes;
using test::writeBytes;
using Items = std::vector<std::string>;

class RegisterTextPosix : public ::testing::Test {
protected:
    Items load() {
        Items items;
        LoadListFromFile(fs, messages, reg, [&items](std::string&& line) { items.push_back(std::move(line)); });
        return items;
    }

    test::TempDir tmp;
    FileSystemPosix fs;
    test::RecordingMessages messages;
    const std::string reg = tmp / "l0g.ext";
};

TEST_F(RegisterTextPosix, LinesAreReadAsTheirBytes) {
    writeBytes(reg, "\xff\xfe/x\r\n/\xc3\xa9t\xc3\xa9\r\n");
    EXPECT_EQ(load(), (Items{"\xff\xfe/x", "/\xc3\xa9t\xc3\xa9"}));
}

TEST_F(RegisterTextPosix, ItemsAreSavedAsTheirBytes) {
    EXPECT_TRUE(SaveListToFile(fs, {"a\nb", "\xff"}, reg));
    EXPECT_EQ(readBytes(reg), "a\nb\r\n\xff\r\n");
    EXPECT_EQ(load(), (Items{"a\nb", "\xff"}));
}

TEST_F(RegisterTextPosix, APathIsWrittenAsItsOwnBytes) {
    const std::string odd = tmp / "\xff\xfe caf\xc3\xa9";  // not UTF-8, then UTF-8
    test::makeDir(odd);
    hideAndRecord(fs, odd, reg);
    EXPECT_EQ(readBytes(reg), odd + "\r\n");
    EXPECT_EQ(load(), Items{odd});
}

TEST_F(RegisterTextPosix, AHiddenFolderIsListedInDotHidden) {
    test::makeDir(tmp / "Secret");
    hideAndRecord(fs, tmp / "Secret", reg);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Secret\n");
}

}  // namespace
}  // namespace quorvane
