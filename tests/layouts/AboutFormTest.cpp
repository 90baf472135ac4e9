// The about window's form over a fake view: its load, the portrait swap, closing, and the system
// information button.
#include <gtest/gtest.h>

#include "platform/CoreServices.h"
#include "platform/IniWriter.h"
#include "support/FakeDialogs.h"
#include "support/FakeRegistry.h"
#include "support/FakeViews.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"
#include "layouts/frmAbout.h"

namespace quorvane {
namespace {

class AboutFormTest : public ::testing::Test {
protected:
    AboutFormTest() { about.Form_Load(); }

    // Which portrait is in view, checked from both boxes and the form's state.
    void expectPortrait(bool photo) {
        EXPECT_EQ(about.PhotoShown(), photo);
        EXPECT_EQ(view.picture1Visible, std::optional<bool>(photo));
        EXPECT_EQ(view.picture2Visible, std::optional<bool>(!photo));
    }
    void expectUnavailable() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(messages.boxes[0].style, 0);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
    }

    CoreServices core = makeCoreServices();
    test::RecordingMessages messages;
    test::FakeDialogs dialogs;
    test::FakeShellIcons icons;
    test::FakeRegistry registry;  // empty until a test puts values in
    test::RecordingLauncher launcher;
    test::RecordingKeys keys;
    test::FakeAboutView view;
    frmAbout about{Services{*core.fileSystem, messages, dialogs, icons, *core.iniWriter, registry, launcher, keys, *core.fileManagerIcons},
                   view};
};

TEST_F(AboutFormTest, LoadShowsTheDrawing) {
    EXPECT_EQ(view.caption, "About ");
    EXPECT_EQ(view.titleText, "Taskelin Hide/Protect Folder 2.00");
    expectPortrait(false);
}

TEST_F(AboutFormTest, ChangeSwapsThePortraits) {
    about.cmdFace_Click();
    expectPortrait(true);
    about.cmdFace_Click();
    expectPortrait(false);
}

TEST_F(AboutFormTest, OkUnloadsAndTheNextLoadStartsWithTheDrawing) {
    about.cmdFace_Click();
    expectPortrait(true);
    view.caption = "About MyApp";
    about.cmdUnload_Click();
    EXPECT_EQ(view.unloads, 1);
    about.Form_Load();
    expectPortrait(false);
    EXPECT_EQ(view.caption, "About ");
    about.cmdFace_Click();
    expectPortrait(true);
}

TEST_F(AboutFormTest, SystemInfoStartsTheRegisteredProgram) {
    registry.put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", test::FakeRegistry::text("/opt/info/sysinfo"));
    about.cmdSysInfo_Click();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/info/sysinfo"});
    about.StartSysInfo();
    EXPECT_EQ(launcher.started.size(), 2u);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(view.unloads, 0);  // the window stays open
}

TEST_F(AboutFormTest, SystemInfoWithoutAProgramTellsTheUser) {
    about.cmdSysInfo_Click();
    EXPECT_TRUE(launcher.started.empty());
    expectUnavailable();
    EXPECT_EQ(view.unloads, 0);
}

TEST_F(AboutFormTest, GetKeyValueReadsThroughTheForm) {
    registry.put("SOFTWARE\\Tool", "Count", test::FakeRegistry::dword(42));
    std::string value = "before";
    EXPECT_TRUE(about.GetKeyValue(reg::HKEY_LOCAL_MACHINE, "SOFTWARE\\Tool", "Count", value));
    EXPECT_EQ(value, "42");
    EXPECT_FALSE(about.GetKeyValue(reg::HKEY_LOCAL_MACHINE, "SOFTWARE\\None", "Count", value));
    EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace quorvane
