// The main window as a controller: load sequence, folder browse, dispatch.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "platform/PathText.h"
#include "protect/frmMain.h"
#include "support/GuiFixture.h"
#include "windows/PictureBox.h"
#include "windows/frmAbout.h"

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
    frmMain& w = window();
    const QString appDir = fromCore(tmp.path());
    EXPECT_EQ(w.FolderPath(), appDir);
    EXPECT_EQ(w.Text1()->text(), appDir);
    EXPECT_EQ(w.RegisterFilePath(), appDir + QStringLiteral("/l0g.ext"));
    EXPECT_FALSE(w.IconFilePath().has_value());
    EXPECT_EQ(w.cmb1()->currentIndex(), -1);
    const QStringList captions = {
        QStringLiteral("Control Panel"), QStringLiteral("Printers"),     QStringLiteral("Audio File"),
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

TEST_F(MainWindowTest, RegisterPathInARootHasOneSeparator) {
    makeWindow(QStringLiteral("/"));
    EXPECT_EQ(window().RegisterFilePath(), QStringLiteral("/l0g.ext"));
    EXPECT_EQ(window().FolderPath(), QStringLiteral("/"));
}

TEST_F(MainWindowTest, BrowseShowsAChosenFolder) {
    const std::string chosen = folder("Chosen");
    frmMain& w = window();
    dialogs.folders.push_back(fromCore(chosen));
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastTitle, QStringLiteral("Select a folder to edit"));
    EXPECT_EQ(dialogs.lastOwner, &w);
    EXPECT_EQ(w.FolderPath(), fromCore(chosen));
    EXPECT_EQ(w.Text1()->text(), fromCore(chosen));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainWindowTest, BrowseResultsOfThreeCharactersOrFewerAreNotShown) {
    frmMain& w = window();
    const QImage before = w.Picture1()->image();
    for (const QString& result : {QString(), QStringLiteral("/"), QStringLiteral("/ab")}) {
        dialogs.folders.push_back(result);
        w.cmd_Click(0);
        EXPECT_EQ(w.FolderPath(), result);  // taken, even when empty
        EXPECT_EQ(w.Text1()->text(), fromCore(tmp.path())) << result.toStdString();
        EXPECT_EQ(w.Picture1()->image(), before);
    }
}

TEST_F(MainWindowTest, TypedTextReachesFolderPathOnlyThroughFillVar) {
    frmMain& w = window();
    w.Text1()->setText(QStringLiteral("/typed"));
    EXPECT_EQ(w.FolderPath(), fromCore(tmp.path()));
    w.FillVar();
    EXPECT_EQ(w.FolderPath(), QStringLiteral("/typed"));
    w.Text1()->clear();
    w.FillVar();
    EXPECT_EQ(w.FolderPath(), QString());
}

TEST_F(MainWindowTest, IndexOutsideTheButtonsDoesNothing) {
    frmMain& w = window();
    for (std::int16_t index : {std::int16_t(-1), std::int16_t(10), std::int16_t(32767)}) w.cmd_Click(index);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(dialogs.browseCalls, 0);
}

TEST_F(MainWindowTest, AboutIsOneWindowAndGoesWithExit) {
    frmMain& w = window();
    w.show();
    w.cmd_Click(8);
    auto* about = w.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->parentWidget(), nullptr);  // unowned and modeless
    EXPECT_FALSE(about->isModal());
    w.cmd_Click(8);
    EXPECT_EQ(w.aboutWindow(), about);
    w.cmd_Click(9);
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace quorvane
