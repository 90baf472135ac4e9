// "Hide Folder" through the main window on real folders by real clicks: the message, the register,
// and the window's path box. The form's rules and failures are tested in hide_form_test.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "protect/MainWindow.h"
#include "support/GuiFixture.h"

namespace quorvane {
namespace {

using test::readBytes;

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

}  // namespace
}  // namespace quorvane
