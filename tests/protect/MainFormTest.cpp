// The main window's form as a controller: load sequence, folder browse, dispatch.
#include <gtest/gtest.h>

#include "platform/PathSeparator.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::FakeShellIcons;
using test::MainFormTest;

TEST_F(MainFormTest, LoadSequence) {
    frmMain& f = form();
    EXPECT_EQ(f.FolderPath(), tmp.path());
    EXPECT_EQ(view.path, tmp.path());
    EXPECT_EQ(f.RegisterFilePath(), tmp / "l0g.ext");
    EXPECT_FALSE(f.IconFilePath().has_value());
    EXPECT_EQ(view.disguise, -1);
    EXPECT_EQ(view.disguises, (std::vector<std::string>{"Control Panel", "Printers", "Audio File", "Video File",
                                                        "Word Document", "Network", "XML Document", "Recycled Bin"}));
    EXPECT_EQ(view.sized, 1);
    // The application folder's icon, drawn into a box of 32 pixels.
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(tmp.path()));
    EXPECT_EQ(view.picture1.steps,
              (std::vector<std::string>{"height 480", "width 480", "clear", "draw at 0,0", "refresh"}));
    EXPECT_TRUE(view.picture2.steps.empty());
}

TEST_F(MainFormTest, RegisterPathInARootHasOneSeparator) {
    const std::string root = kSeparator == '/' ? "/" : "C:\\";
    makeForm(root);
    EXPECT_EQ(form().RegisterFilePath(), root + "l0g.ext");
    EXPECT_EQ(form().FolderPath(), root);
}

TEST_F(MainFormTest, BrowseShowsAChosenFolder) {
    const std::string chosen = folder("Chosen");
    frmMain& f = form();
    dialogs.folders.push_back(chosen);
    f.cmd_Click(0);
    EXPECT_EQ(dialogs.lastTitle, "Select a folder to edit");
    EXPECT_EQ(dialogs.lastOwner, view.hWnd());
    EXPECT_EQ(f.FolderPath(), chosen);
    EXPECT_EQ(view.path, chosen);
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(chosen));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainFormTest, BrowseResultsOfThreeCharactersOrFewerAreNotShown) {
    frmMain& f = form();
    const auto before = view.picture1.steps;
    // Characters count, not bytes: "/é" is two characters in three bytes.
    for (const std::string result : {"", "/", "/ab", "C:\\", "/\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9"}) {
        dialogs.folders.push_back(result);
        f.cmd_Click(0);
        EXPECT_EQ(f.FolderPath(), result);  // taken, even when empty
        EXPECT_EQ(view.path, tmp.path()) << result;
        EXPECT_EQ(view.picture1.steps, before) << result;
    }
}

TEST_F(MainFormTest, AFailingBrowseKeepsFolderPath) {
    struct Throwing final : Dialogs {
        std::string browseForFolder(WindowHandle, const std::string&) override { throw std::runtime_error("gone"); }
        std::string openFile(WindowHandle, const std::vector<std::string>&, const std::string&) override {
            throw std::runtime_error("gone");
        }
    } throwing;
    Services s = services();
    frmMain f(Services{s.fs, s.messages, throwing, s.icons, s.ini, s.registry, s.launcher, s.keys, s.fileManagers}, view, tmp.path());
    f.Form_Load();
    f.cmd_Click(0);
    EXPECT_EQ(f.FolderPath(), "");  // the browse routine answers a failure with ""
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(MainFormTest, TypedTextReachesFolderPathOnlyThroughFillVar) {
    frmMain& f = form();
    view.path = "/typed";
    EXPECT_EQ(f.FolderPath(), tmp.path());
    f.FillVar();
    EXPECT_EQ(f.FolderPath(), "/typed");
    view.path.clear();
    f.FillVar();
    EXPECT_EQ(f.FolderPath(), "");
}

TEST_F(MainFormTest, IndexOutsideTheButtonsDoesNothing) {
    frmMain& f = form();
    for (std::int16_t index : {std::int16_t(-1), std::int16_t(10), std::int16_t(32767)}) f.cmd_Click(index);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(messages.beeps, 0);
    EXPECT_EQ(dialogs.browseCalls, 0);
    EXPECT_EQ(view.aboutShown, 0);
    EXPECT_EQ(view.ended, 0);
}

TEST_F(MainFormTest, AboutAndExitGoToTheWindow) {
    frmMain& f = form();
    f.cmd_Click(8);
    f.cmd_Click(8);
    EXPECT_EQ(view.aboutShown, 2);
    EXPECT_EQ(view.ended, 0);
    f.cmd_Click(9);
    EXPECT_EQ(view.ended, 1);
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace quorvane
