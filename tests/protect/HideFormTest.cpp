// "Hide Folder" through the main window's form on real folders: the message, the register, the
// state of the window, and the error report when the folder cannot be hidden and recorded.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "protect/PathHelpers.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;

class HideFolderTest : public test::MainFormTest {
protected:
    std::string reg() const { return tmp / "l0g.ext"; }

    void expectErrorReport(int number) {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
        EXPECT_NE(messages.boxes[0].text.find("'" + std::to_string(number) + "'"), std::string::npos)
            << messages.boxes[0].text;
        messages.boxes.clear();
    }
    // Where the file services list hidden folders in ".hidden": what it holds, or that it is not there.
    void expectHiddenList(const std::optional<std::string>& content) {
        if (!kListsHiddenFolders) return;
        if (content) {
            EXPECT_EQ(readBytes(tmp / ".hidden"), *content);
        } else {
            EXPECT_FALSE(exists(tmp / ".hidden"));
        }
    }
};

TEST_F(HideFolderTest, HidesRecordsAndSaysSo) {
    const std::string secret = folder("Secret");
    realFs.setAttributes(secret, attr::ReadOnly | attr::Archive);
    frmMain& f = formOn(secret);
    const auto icon = view.picture1.steps;
    f.cmd_Click(3);

    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "The folder: \r\n" + secret + "\r\n  it's not visible now");
    EXPECT_EQ(messages.boxes[0].style, 64);
    EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(reg()), secret + "\r\n");
    EXPECT_EQ(attributesOf(secret), kept(6u));
    expectHiddenList("Secret\n");
    EXPECT_EQ(view.path, secret);  // the hidden folder stays in view
    EXPECT_EQ(view.picture1.steps, icon);
    EXPECT_EQ(f.FolderPath(), secret);
}

TEST_F(HideFolderTest, FolderPathFollowsThePathBoxAfterwards) {
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    view.path = "/typed meanwhile";
    f.cmd_Click(3);
    EXPECT_EQ(readBytes(reg()), secret + "\r\n");  // the folder of the press, not the typed text
    EXPECT_EQ(f.FolderPath(), "/typed meanwhile");
}

TEST_F(HideFolderTest, HidingTwiceGivesTwoEqualLines) {
    const std::string a = folder("A");
    const std::string b = folder("B");
    formOn(a).cmd_Click(3);
    form().cmd_Click(3);
    formOn(b).cmd_Click(3);
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\n" + b + "\r\n");
}

TEST_F(HideFolderTest, BeforeAnyBrowseTheProgramFolderIsHidden) {
    form().cmd_Click(3);
    EXPECT_EQ(readBytes(reg()), tmp.path() + "\r\n");
    EXPECT_EQ(attributesOf(tmp.path()), kept(6u));
    realFs.setAttributes(tmp.path(), attr::Archive);  // takes it off the system's .hidden list again
}

TEST_F(HideFolderTest, ACancelledBrowseEndsInTheErrorReport) {
    frmMain& f = form();
    dialogs.folders.push_back("");
    f.cmd_Click(0);
    f.cmd_Click(3);
    expectErrorReport(errc::FileNotFound);
    EXPECT_FALSE(exists(reg()));
}

TEST_F(HideFolderTest, TheRegistersFolderIsMadeOnTheFirstHide) {
    // A program folder that cannot be written keeps its register in the user's data folder, which
    // is made with it. On Windows that folder is %APPDATA%\Quorvane, a known folder no variable
    // moves: the installed program's driven test shows it made there.
    if (test::kUnderWine) GTEST_SKIP() << "the user's data folder is not movable on Windows";
    static std::string dataHome;
    dataHome = "XDG_DATA_HOME=" + tmp / "data";
    putenv(dataHome.data());
    const std::string secret = folder("Secret");
    makeForm(tmp / "Program");
    const std::string registerFile = form().RegisterFilePath();
    EXPECT_EQ(registerFile.rfind(tmp.path(), 0), 0u) << registerFile;
    EXPECT_FALSE(exists(GetFilePath(registerFile)));
    formOn(secret).cmd_Click(3);
    EXPECT_EQ(readBytes(registerFile), secret + "\r\n");
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
    dataHome = "XDG_DATA_HOME=";
    putenv(dataHome.data());
}

TEST_F(HideFolderTest, ARegisterFolderThatCannotBeMadeLeavesTheFolderAsItWas) {
    if (test::kUnderWine) GTEST_SKIP() << "the user's data folder is not movable on Windows";
    static std::string dataHome;
    dataHome = "XDG_DATA_HOME=" + tmp / "data";
    putenv(dataHome.data());
    const std::string secret = folder("Secret");
    makeForm(tmp / "Program");
    const std::string registerFile = form().RegisterFilePath();
    fs.failOn(FaultyFileSystem::Op::MakeFolders, 1, PlatformError(errc::PathNotFound, "Path not found"));
    formOn(secret).cmd_Click(3);
    expectErrorReport(errc::PathNotFound);
    EXPECT_FALSE(exists(GetFilePath(registerFile)));
    EXPECT_EQ(attributesOf(secret), kept(0u));
    dataHome = "XDG_DATA_HOME=";
    putenv(dataHome.data());
}

TEST_F(HideFolderTest, AFolderThatCannotBeRecordedIsNotLeftHidden) {
    const std::string secret = folder("Secret");
    writeBytes(reg(), "earlier\r\n");
    frmMain& f = formOn(secret);
    fs.failOn(FaultyFileSystem::Op::WriteFile, 1, PlatformError(errc::DiskFull, "Disk full"));
    f.cmd_Click(3);
    expectErrorReport(errc::DiskFull);
    EXPECT_EQ(readBytes(reg()), "earlier\r\n");
    EXPECT_EQ(attributesOf(secret), kept(0u));
    expectHiddenList(std::nullopt);

    f.cmd_Click(3);  // the program goes on, and the next try works
    EXPECT_EQ(readBytes(reg()), "earlier\r\n" + secret + "\r\n");
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
}

TEST_F(HideFolderTest, APathWithALineBreakIsRefused) {
    const std::string odd = tmp / "two\nlines";
    if (kListsHiddenFolders) test::makeDir(odd);  // Windows names hold no line breaks: there the path names nothing
    frmMain& f = formOn(odd);
    f.cmd_Click(3);
    expectErrorReport(errc::InvalidPathText);
    EXPECT_FALSE(exists(reg()));
    if (kListsHiddenFolders) {
        EXPECT_EQ(attributesOf(odd), kept(0u));
    }
}

// Where the register's encoding cannot hold a path (a character outside the ANSI code page on
// Windows), the file services refuse the line: the hide is undone and nothing has changed.
TEST_F(HideFolderTest, APathTheRegisterCannotHoldLeavesNothingChanged) {
    const std::string secret = folder("Secret");
    writeBytes(reg(), "earlier");
    frmMain& f = formOn(secret);
    fs.failOn(FaultyFileSystem::Op::TextFileBytes, 1, PlatformError(errc::InvalidPathText, "Invalid path text"));
    f.cmd_Click(3);
    expectErrorReport(errc::InvalidPathText);
    EXPECT_EQ(readBytes(reg()), "earlier");
    EXPECT_EQ(attributesOf(secret), kept(0u));
    expectHiddenList(std::nullopt);
}

}  // namespace
}  // namespace quorvane
