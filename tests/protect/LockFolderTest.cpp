// "Lock Folder" and "Unlock Folder" on real folders by real clicks: the window follows the folder and
// shows its icon. The form's rules and failures are tested over a fake view in lock_form_test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "platform/Error.h"
#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/PictureBox.h"

namespace quorvane {
namespace {

using test::exists;
using test::FaultyFileSystem;
using test::MainWindowTest;

constexpr const char* kSuffixes[8] = {
    ".{21EC2020-3AEA-1069-A2DD-08002B30309D}", ".{2227A280-3AEA-1069-A2DE-08002B30309D}",
    ".{0003000D-0000-0000-C000-000000000046}", ".{00022602-0000-0000-C000-000000000046}",
    ".{9E56BE61-C50F-11CF-9A2C-00A0C90A90CE}", ".{00020906-0000-0000-C000-000000000046}",
    ".{48123bc4-99d9-11d1-a6b3-00c04fd91555}", ".{645FF040-5081-101B-9F08-00AA002F954E}",
};

class LockTest : public MainWindowTest {
protected:
    // The window working on a fresh folder "Secret", as after a browse.
    MainWindow& windowOn(const std::string& path) {
        MainWindow& w = window();
        dialogs.folders.push_back(path);
        QTest::mouseClick(w.cmd(0), Qt::LeftButton);
        return w;
    }

    void expectErrorReportAndGoOn(int number) {
        ASSERT_EQ(messages.boxes.size(), 1u);
        const auto& box = messages.boxes[0];
        EXPECT_EQ(box.title, std::optional<std::string>("Quorvane"));
        EXPECT_NE(box.text.find("'" + std::to_string(number) + "'"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(describeError(number)), std::string::npos) << box.text;
        messages.boxes.clear();
    }
};

class LockEachDisguise : public LockTest, public ::testing::WithParamInterface<int> {};

TEST_P(LockEachDisguise, RenamesAndFollowsTheFolder) {
    const int index = GetParam();
    const std::string secret = folder("Secret");
    MainWindow& w = windowOn(secret);
    w.cmb1()->setCurrentIndex(index);
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);

    const std::string locked = secret + kSuffixes[index];
    EXPECT_TRUE(exists(locked));
    EXPECT_FALSE(exists(secret));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "Folder: \r\n" + secret + "\r\nLocked!");
    EXPECT_EQ(messages.boxes[0].style, 64);
    EXPECT_EQ(messages.boxes[0].title, std::nullopt);
    EXPECT_EQ(w.Text1()->text(), fromCore(locked));
    EXPECT_EQ(w.form().FolderPath(), locked);
    EXPECT_EQ(w.cmb1()->currentIndex(), index);  // the choice stays
    EXPECT_EQ(w.Picture1()->image(), [&] {
        QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
        expected.fill(w.Picture1()->backColor());
        QPainter(&expected).drawImage(0, 0, *icons.image(fromCore(locked), 32));
        return expected;
    }());

    QTest::mouseClick(w.cmd(2), Qt::LeftButton);
    EXPECT_TRUE(exists(secret));
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[1].text, "Folder: \r\n" + locked + "\r\nUnlocked!");
    EXPECT_EQ(w.form().FolderPath(), secret);
    EXPECT_EQ(w.Text1()->text(), fromCore(secret));
}

INSTANTIATE_TEST_SUITE_P(AllEight, LockEachDisguise, ::testing::Range(0, 8));

TEST_F(LockTest, FailedRenamesLeaveEverythingAndTheProgramGoesOn) {
    const std::string secret = folder("Secret");
    folder(std::string("Secret") + kSuffixes[1]);  // the disguised name is taken
    MainWindow& w = windowOn(secret);
    const QImage icon = w.Picture1()->image();

    w.cmb1()->setCurrentIndex(1);
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);
    expectErrorReportAndGoOn(errc::FileAlreadyExists);
    EXPECT_TRUE(exists(secret));
    EXPECT_EQ(w.form().FolderPath(), secret);
    EXPECT_EQ(w.Text1()->text(), fromCore(secret));
    EXPECT_EQ(w.Picture1()->image(), icon);

    // A rename the machine refuses (injected: tests run as root).
    fs.failOn(FaultyFileSystem::Op::Rename, 1, PlatformError(errc::PermissionDenied, "Permission denied"));
    w.cmb1()->setCurrentIndex(2);
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);
    expectErrorReportAndGoOn(errc::PermissionDenied);
    EXPECT_TRUE(exists(secret));

    // Still usable: the next lock works.
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);
    EXPECT_TRUE(exists(secret + kSuffixes[2]));
    EXPECT_EQ(messages.boxes.at(0).text, "Folder: \r\n" + secret + "\r\nLocked!");
}

// The refusal names the object in the way, not the folder that was to be renamed.
TEST_F(LockTest, ARefusedLockNamesTheObjectInTheWay) {
    const std::string secret = folder("Secret");
    const std::string taken = folder(std::string("Secret") + kSuffixes[4]);
    MainWindow& w = windowOn(secret);
    w.cmb1()->setCurrentIndex(4);
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "Run-time error '58':\r\n\r\nFile already exists: " + taken);
}

}  // namespace
}  // namespace quorvane
