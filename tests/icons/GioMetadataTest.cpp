// What GNOME's file managers and their relatives read of a folder's icon: the metadata that gvfs
// keeps, asked with GIO's own command line tool after each button. Runs under
// tests/support/with-session-bus.sh, which gives it a private session bus.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "icons/IcoFiles.h"
#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"

namespace quorvane {
namespace {

using test::writeBytes;

class GioMetadata : public test::MainWindowTest {
protected:
    void SetUp() override {
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) FAIL() << "no session bus: run through with-session-bus.sh";
        writeBytes(greenIco, test::icoBytes({test::markedPicture(32, Qt::green)}));
        writeBytes(programFile, "MZ");
    }

    // The icon attributes as `gio info` lists them: the lines after "attributes:".
    static std::string iconMetadata(const std::string& folder) {
        const std::string command =
            "gio info -a metadata::custom-icon,metadata::custom-icon-name '" + folder + "' 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << out;
        const auto at = out.find("attributes:\n");
        return at == std::string::npos ? "<" + out + ">" : out.substr(at + 12);
    }

    MainWindow& windowOn(const std::string& path) {
        MainWindow& w = window();
        dialogs.folders.push_back(path);
        w.form().cmd_Click(0);
        return w;
    }
    void click(MainWindow& w, int index) { QTest::mouseClick(w.cmd(index), Qt::LeftButton); }

    const std::string greenIco = tmp / "green.ico";
    const std::string programFile = tmp / "tool.exe";
};

TEST_F(GioMetadata, ChangeIconSetsTheFolderIconAndSetDefaultTakesItAway) {
    struct Case {
        const char* name;
        std::string iconFile;
        std::string metadata;
    };
    const std::vector<Case> cases = {
        {"an icon file: its URI", greenIco, "  metadata::custom-icon: file://" + greenIco + "\n"},
        {"a program: the theme's program icon", programFile,
         "  metadata::custom-icon-name: application-x-executable\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string target = folder("Target " + std::to_string(n++));
        MainWindow& w = windowOn(target);
        EXPECT_EQ(iconMetadata(target), "") << c.name;
        dialogs.files.push_back(c.iconFile);
        click(w, 5);
        click(w, 6);
        EXPECT_EQ(iconMetadata(target), c.metadata) << c.name;
        click(w, 7);
        EXPECT_EQ(iconMetadata(target), "") << c.name;
    }
}

TEST_F(GioMetadata, AnotherIconReplacesTheFirst) {
    const std::string target = folder("Target");
    MainWindow& w = windowOn(target);
    dialogs.files.push_back(programFile);
    click(w, 5);
    click(w, 6);
    dialogs.files.push_back(greenIco);
    click(w, 5);
    click(w, 6);
    EXPECT_EQ(iconMetadata(target), "  metadata::custom-icon: file://" + greenIco + "\n");
    dialogs.files.push_back(tmp / "missing.ico");
    click(w, 5);
    click(w, 6);
    EXPECT_EQ(iconMetadata(target), "");  // no icon the file managers could show: their default
}

}  // namespace
}  // namespace quorvane
