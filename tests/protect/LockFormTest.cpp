// "Lock Folder" and "Unlock Folder" on real folders, through the main window's form.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::FakeShellIcons;
using test::FaultyFileSystem;
using test::MainFormTest;

constexpr const char* kSuffixes[8] = {
    ".{21EC2020-3AEA-1069-A2DD-08002B30309D}", ".{2227A280-3AEA-1069-A2DE-08002B30309D}",
    ".{0003000D-0000-0000-C000-000000000046}", ".{00022602-0000-0000-C000-000000000046}",
    ".{9E56BE61-C50F-11CF-9A2C-00A0C90A90CE}", ".{00020906-0000-0000-C000-000000000046}",
    ".{48123bc4-99d9-11d1-a6b3-00c04fd91555}", ".{645FF040-5081-101B-9F08-00AA002F954E}",
};

class LockTest : public MainFormTest {
protected:
    void expectErrorReportAndGoOn(int number) {
        ASSERT_EQ(messages.boxes.size(), 1u);
        const auto& box = messages.boxes[0];
        EXPECT_EQ(box.title, std::optional<std::string>("Quorvane"));
        EXPECT_EQ(box.style, 16);
        EXPECT_NE(box.text.find("'" + std::to_string(number) + "'"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(describeError(number)), std::string::npos) << box.text;
        messages.boxes.clear();
    }
};

class LockEachDisguise : public LockTest, public ::testing::WithParamInterface<int> {};

TEST_P(LockEachDisguise, RenamesAndFollowsTheFolder) {
    const int index = GetParam();
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    view.disguise = index;
    f.cmd_Click(1);

    const std::string locked = secret + kSuffixes[index];
    EXPECT_TRUE(exists(locked));
    EXPECT_FALSE(exists(secret));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "Folder: \r\n" + secret + "\r\nLocked!");
    EXPECT_EQ(messages.boxes[0].style, 64);
    EXPECT_EQ(messages.boxes[0].title, std::nullopt);
    EXPECT_EQ(view.path, locked);
    EXPECT_EQ(f.FolderPath(), locked);
    EXPECT_EQ(view.disguise, index);  // the choice stays
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(locked));

    f.cmd_Click(2);
    EXPECT_TRUE(exists(secret));
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[1].text, "Folder: \r\n" + locked + "\r\nUnlocked!");
    EXPECT_EQ(messages.boxes[1].style, 64);
    EXPECT_EQ(f.FolderPath(), secret);
    EXPECT_EQ(view.path, secret);
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(secret));
}

INSTANTIATE_TEST_SUITE_P(AllEight, LockEachDisguise, ::testing::Range(0, 8));

TEST_F(LockTest, NoDisguiseChosenOnlyBeeps) {
    const std::string secret = folder("Secret");
    formOn(secret).cmd_Click(1);
    EXPECT_EQ(messages.beeps, 1);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::Rename), 0);
}

TEST_F(LockTest, AChoiceOutsideTheListFailsAsASubscript) {
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    view.disguise = 8;
    f.cmd_Click(1);
    expectErrorReportAndGoOn(errc::SubscriptOutOfRange);
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::Rename), 0);
}

TEST_F(LockTest, TwiceGivesTwoSuffixesAndUnlockCutsOne) {
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    view.disguise = 7;
    f.cmd_Click(1);
    view.disguise = 0;
    f.cmd_Click(1);
    const std::string once = secret + kSuffixes[7];
    EXPECT_TRUE(exists(once + kSuffixes[0]));
    f.cmd_Click(2);
    EXPECT_TRUE(exists(once));
    EXPECT_EQ(f.FolderPath(), once);
}

TEST_F(LockTest, UnlockWorksWithoutAChoiceAndCutsAnyExtension) {
    const std::string files = folder("My.Files");
    frmMain& f = formOn(files);
    f.cmd_Click(2);
    EXPECT_TRUE(exists(tmp / "My"));
    EXPECT_EQ(messages.boxes.at(0).text, "Folder: \r\n" + files + "\r\nUnlocked!");
    EXPECT_EQ(f.FolderPath(), tmp / "My");
}

TEST_F(LockTest, UnlockOfANameWithoutDotRenamesOntoItselfAndFails) {
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    f.cmd_Click(2);
    expectErrorReportAndGoOn(errc::FileAlreadyExists);
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(f.FolderPath(), secret);
}

TEST_F(LockTest, UnlockWithTheDotOnlyInAParentFails) {
    folder("my.dir");
    const std::string secret = folder("my.dir" + std::string(1, kSeparator) + "Secret");
    frmMain& f = formOn(secret);
    f.cmd_Click(2);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(view.path, secret);
}

TEST_F(LockTest, FailedRenamesLeaveEverythingAndTheProgramGoesOn) {
    const std::string secret = folder("Secret");
    folder(std::string("Secret") + kSuffixes[1]);  // the disguised name is taken
    frmMain& f = formOn(secret);
    const auto icon = view.picture1.steps;

    view.disguise = 1;
    f.cmd_Click(1);
    expectErrorReportAndGoOn(errc::FileAlreadyExists);
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(f.FolderPath(), secret);
    EXPECT_EQ(view.path, secret);
    EXPECT_EQ(view.picture1.steps, icon);

    // A rename the machine refuses (injected: tests run as root).
    fs.failOn(FaultyFileSystem::Op::Rename, 1, PlatformError(errc::PermissionDenied, "Permission denied"));
    view.disguise = 2;
    f.cmd_Click(1);
    expectErrorReportAndGoOn(errc::PermissionDenied);
    EXPECT_TRUE(exists(secret));

    // Still usable: the next lock works.
    f.cmd_Click(1);
    EXPECT_TRUE(exists(secret + kSuffixes[2]));
    EXPECT_EQ(messages.boxes.at(0).text, "Folder: \r\n" + secret + "\r\nLocked!");
}

TEST_F(LockTest, MissingFolderAndCancelledBrowseFailAtTheRename) {
    const std::string gone = folder("Gone");
    frmMain& f = formOn(gone);
    std::filesystem::remove(std::filesystem::path(std::u8string(gone.begin(), gone.end())));
    view.disguise = 0;
    f.cmd_Click(1);
    expectErrorReportAndGoOn(errc::FileNotFound);

    dialogs.folders.push_back("");  // cancel
    f.cmd_Click(0);
    EXPECT_EQ(f.FolderPath(), "");
    f.cmd_Click(1);
    expectErrorReportAndGoOn(errc::FileNotFound);
    f.cmd_Click(2);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(view.path, gone);
}

TEST_F(LockTest, BeforeAnyBrowseTheProgramFolderIsLocked) {
    frmMain& f = form();
    view.disguise = 3;
    f.cmd_Click(1);
    EXPECT_TRUE(exists(tmp.path() + kSuffixes[3]));
    realFs.rename(tmp.path() + kSuffixes[3], tmp.path());  // give the fixture its folder back
}

}  // namespace
}  // namespace quorvane
