// The main window on screen: its load, the folder browse by a real click, and the about window.
// What the form decides is tested over a fake view in main_form_test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/AboutWindow.h"
#include "qt/PictureBox.h"

namespace quorvane {
namespace {

using test::MainWindowTest;

bool showsSomething(const PictureBox* box) {
    const QImage& image = box->image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != box->backColor()) return true;
    return false;
}

TEST_F(MainWindowTest, LoadSequence) {
    MainWindow& w = window();
    const QString appDir = fromCore(tmp.path());
    EXPECT_EQ(w.form().FolderPath(), tmp.path());
    EXPECT_EQ(w.Text1()->text(), appDir);
    EXPECT_EQ(w.cmb1()->currentIndex(), -1);
    const QStringList captions = {
        QStringLiteral("Control Panel"), QStringLiteral("Printers"),      QStringLiteral("Audio File"),
        QStringLiteral("Video File"),    QStringLiteral("Word Document"), QStringLiteral("Network"),
        QStringLiteral("XML Document"),  QStringLiteral("Recycled Bin"),
    };
    ASSERT_EQ(w.cmb1()->count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(w.cmb1()->itemText(i), captions[i]) << i;
    EXPECT_EQ(w.size(), QSize(246, 436));
    EXPECT_EQ(w.Picture1()->size(), QSize(32, 32));  // the application folder's icon was drawn
    EXPECT_TRUE(showsSomething(w.Picture1()));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velmoran v2.0"));
}

TEST_F(MainWindowTest, BrowseShowsAChosenFolder) {
    const std::string chosen = folder("Chosen");
    MainWindow& w = window();
    const QImage before = w.Picture1()->image();
    dialogs.folders.push_back(chosen);
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastTitle, "Select a folder to edit");
    EXPECT_EQ(dialogs.lastOwner, static_cast<QWidget*>(&w));
    EXPECT_EQ(w.form().FolderPath(), chosen);
    EXPECT_EQ(w.Text1()->text(), fromCore(chosen));
    EXPECT_TRUE(showsSomething(w.Picture1()));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindowTest, BrowseResultsOfThreeCharactersOrFewerAreNotShown) {
    MainWindow& w = window();
    const QImage before = w.Picture1()->image();
    for (const std::string result : {"", "/", "/ab"}) {
        dialogs.folders.push_back(result);
        QTest::mouseClick(w.cmd(0), Qt::LeftButton);
        EXPECT_EQ(w.form().FolderPath(), result);  // taken, even when empty
        EXPECT_EQ(w.Text1()->text(), fromCore(tmp.path())) << result;
        EXPECT_EQ(w.Picture1()->image(), before);
    }
}

TEST_F(MainWindowTest, TheFormReadsThePathBoxAsTyped) {
    MainWindow& w = window();
    QTest::keyClick(w.Text1(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.Text1(), QStringLiteral("/typed"));
    EXPECT_EQ(w.form().FolderPath(), tmp.path());
    w.form().FillVar();
    EXPECT_EQ(w.form().FolderPath(), "/typed");
}

TEST_F(MainWindowTest, AboutIsOneWindowAndGoesWithExit) {
    MainWindow& w = window();
    w.show();
    w.form().cmd_Click(8);
    auto* about = w.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->parentWidget(), nullptr);  // unowned and modeless
    EXPECT_FALSE(about->isModal());
    w.form().cmd_Click(8);
    EXPECT_EQ(w.aboutWindow(), about);
    w.form().cmd_Click(9);
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace quorvane
