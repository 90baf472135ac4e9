// "Hide Folder" through the main window on real folders by real clicks: the message, the register,
// and the window's path box. The form's rules and failures are tested in hide_form_test.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "platform/FileSystem.h"
#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;

class HideFolderTest : public test::MainWindowTest {
protected:
    MainWindow& windowOn(const std::string& path) {
        MainWindow& w = window();
        dialogs.folders.push_back(path);
        QTest::mouseClick(w.cmd(0), Qt::LeftButton);
        return w;
    }
    void clickHide(MainWindow& w) { QTest::mouseClick(w.cmd(3), Qt::LeftButton); }
    std::string reg() const { return tmp / "l0g.ext"; }
};

TEST_F(HideFolderTest, HidesRecordsAndSaysSo) {
    const std::string secret = folder("Secret");
    realFs.setAttributes(secret, attr::ReadOnly | attr::Archive);
    MainWindow& w = windowOn(secret);
    clickHide(w);

    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "The folder: \r\n" + secret + "\r\n  it's not visible now");
    EXPECT_EQ(messages.boxes[0].style, 64);
    EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(reg()), secret + "\r\n");
    EXPECT_EQ(realFs.attributes(secret), 6u);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Secret\n");
    EXPECT_EQ(w.Text1()->text(), fromCore(secret));  // the hidden folder stays in view
    EXPECT_EQ(w.form().FolderPath(), secret);
}

TEST_F(HideFolderTest, FolderPathFollowsThePathBoxAfterwards) {
    const std::string secret = folder("Secret");
    MainWindow& w = windowOn(secret);
    w.Text1()->setText(QStringLiteral("/typed meanwhile"));
    clickHide(w);
    EXPECT_EQ(readBytes(reg()), secret + "\r\n");  // the folder of the press, not the typed text
    EXPECT_EQ(w.form().FolderPath(), "/typed meanwhile");
}

// A folder whose name is no UTF-8 (made under another locale) keeps its bytes from the folder
// browser to the disk: it is shown, hidden and recorded under its own name.
TEST_F(HideFolderTest, AFolderWhoseNameIsNoUtf8IsHiddenUnderItsOwnName) {
    const std::string odd = folder("caf\xe9");
    MainWindow& w = windowOn(odd);
    EXPECT_EQ(toCore(w.Text1()->text()), odd);
    EXPECT_EQ(readableText(toCore(w.Text1()->text())), fromCore(tmp.path()) + QStringLiteral("/caf\\xE9"));
    clickHide(w);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "The folder: \r\n" + odd + "\r\n  it's not visible now");
    EXPECT_EQ(readBytes(reg()), odd + "\r\n");
    EXPECT_EQ(realFs.attributes(odd), 6u);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "caf\xe9\n");
}

// At start the path box holds the program's own folder; locked, that folder is renamed away. A hide
// of another folder then must not make the program's folder again, empty, with a register of its
// own: it fails, and nothing changes; unlocking gives the folder back as it was.
TEST_F(HideFolderTest, AProgramFolderRenamedAwayIsNotMadeAgain) {
    const std::string app = folder("app");
    const std::string other = folder("Other");
    writeBytes(app + "/l0g.ext", "earlier\r\n");
    makeWindow(fromCore(app));
    MainWindow& w = *m_window;
    w.cmb1()->setCurrentIndex(0);
    QTest::mouseClick(w.cmd(1), Qt::LeftButton);
    const std::string locked = app + ".{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    ASSERT_TRUE(exists(locked));
    messages.boxes.clear();

    dialogs.folders.push_back(other);
    w.form().cmd_Click(0);
    clickHide(w);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "Run-time error '76':\r\n\r\nPath not found: " + app);
    messages.boxes.clear();
    EXPECT_FALSE(exists(app));
    EXPECT_EQ(realFs.attributes(other), 0u);
    EXPECT_FALSE(exists(tmp / ".hidden"));
    EXPECT_EQ(readBytes(locked + "/l0g.ext"), "earlier\r\n");

    dialogs.folders.push_back(locked);
    w.form().cmd_Click(0);
    QTest::mouseClick(w.cmd(2), Qt::LeftButton);
    EXPECT_EQ(messages.boxes.at(0).text, "Folder: \r\n" + locked + "\r\nUnlocked!");
    EXPECT_EQ(readBytes(app + "/l0g.ext"), "earlier\r\n");
}

// An installed program keeps its register in the user's data folder, made on the first hide.
TEST_F(HideFolderTest, TheUsersDataFolderIsMadeOnTheFirstHide) {
    ASSERT_EQ(::setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1), 0);
    struct Unset {
        ~Unset() { ::unsetenv("XDG_DATA_HOME"); }
    } unset;
    const std::string secret = folder("Secret");
    makeWindow(QStringLiteral("/usr/bin"));
    MainWindow& w = *m_window;
    dialogs.folders.push_back(secret);
    w.form().cmd_Click(0);
    clickHide(w);
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(tmp / "data/quorvane/l0g.ext"), secret + "\r\n");
    EXPECT_EQ(realFs.attributes(secret), 6u);
}

}  // namespace
}  // namespace quorvane
