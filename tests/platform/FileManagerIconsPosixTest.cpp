// What Linux file managers are told of a folder's icon: the bytes of its ".directory". (The GIO
// metadata needs a session bus with gvfs: gio_metadata_test starts one.)
#include "platform/posix/FileManagerIcons.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include <vector>

#include "platform/Error.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::exists;
using test::makeDir;
using test::readBytes;
using test::writeBytes;

class PosixFileManagerIcons : public ::testing::Test {
protected:
    test::TempDir tmp;
    FileManagerIconsPosix icons;
};

TEST_F(PosixFileManagerIcons, IconValuesAreEscapedAsDesktopEntriesWantThem) {
    struct Case {
        const char* name;
        FolderIcon icon;
        const char* line;
    };
    const std::vector<Case> cases = {
        {"a plain path", {.file = "/icons/a.ico", .themeName = {}}, "Icon=/icons/a.ico\n"},
        {"a backslash", {.file = "/icons/a\\b.ico", .themeName = {}}, "Icon=/icons/a\\\\b.ico\n"},
        {"a tab", {.file = "/icons/a\tb.ico", .themeName = {}}, "Icon=/icons/a\\tb.ico\n"},
        {"blanks inside and at the end", {.file = "/my icons/a.ico ", .themeName = {}}, "Icon=/my icons/a.ico\\s\n"},
        {"a theme icon", {.file = {}, .themeName = "application-x-executable"}, "Icon=application-x-executable\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = tmp / ("F" + std::to_string(n++));
        makeDir(dir);
        icons.showIcon(dir, c.icon);
        EXPECT_EQ(readBytes(dir + "/.directory"), std::string("[Desktop Entry]\n") + c.line) << c.name;
    }
}

TEST_F(PosixFileManagerIcons, TheDefaultIconRemovesTheFileOnlyWhenNothingElseIsInIt) {
    struct Case {
        const char* name;
        const char* before;
        const char* after;  // nullptr: removed
    };
    const std::vector<Case> cases = {
        {"the icon alone", "[Desktop Entry]\nIcon=/a.ico\n", nullptr},
        {"the icon among blank lines", "\n[Desktop Entry]\n\nIcon=/a.ico\n\n", nullptr},
        {"an empty file", "", nullptr},
        {"a name beside it", "[Desktop Entry]\nName=Mine\nIcon=/a.ico\n", "[Desktop Entry]\nName=Mine\n"},
        {"a view setting of Dolphin's", "[Desktop Entry]\nIcon=/a.ico\n[Dolphin]\nViewMode=1\n",
         "[Desktop Entry]\n[Dolphin]\nViewMode=1\n"},
        {"a comment", "# mine\n[Desktop Entry]\nIcon=/a.ico\n", "# mine\n[Desktop Entry]\n"},
        {"no icon at all", "[Dolphin]\nViewMode=1\n", "[Dolphin]\nViewMode=1\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = tmp / ("D" + std::to_string(n++));
        makeDir(dir);
        writeBytes(dir + "/.directory", c.before);
        icons.showDefault(dir);
        EXPECT_EQ(exists(dir + "/.directory"), c.after != nullptr) << c.name;
        if (c.after) {
            EXPECT_EQ(readBytes(dir + "/.directory"), c.after) << c.name;
        }
    }
    makeDir(tmp / "None");
    icons.showDefault(tmp / "None");
    EXPECT_FALSE(exists(tmp / "None/.directory"));
}

TEST_F(PosixFileManagerIcons, AFileThatCannotBeWrittenIsReported) {
    try {
        icons.showIcon(tmp / "Missing", {.file = "/a.ico", .themeName = {}});
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PathNotFound);
    }
    makeDir(tmp / "Odd");
    makeDir(tmp / "Odd/.directory");  // a folder where the file should be
    EXPECT_THROW(icons.showIcon(tmp / "Odd", {.file = "/a.ico", .themeName = {}}), PlatformError);
    EXPECT_THROW(icons.showDefault(tmp / "Odd"), PlatformError);
    icons.showDefault(tmp / "Missing");  // nothing there to take away
}

// Without a session bus nothing is started for the icon: GIO would otherwise autolaunch a bus
// daemon through dbus-launch, which outlives the program. A dbus-launch of our own on the PATH
// notes every start; an X display is named, since GIO autolaunches only with one. Run alone (its
// own ctest entry), as GIO keeps what it found of the bus for the rest of the process.
TEST_F(PosixFileManagerIcons, WithoutASessionBusNothingIsStarted) {
    const std::string bin = tmp / "bin";
    const std::string runtime = tmp / "run";
    makeDir(bin);
    makeDir(runtime);
    writeBytes(bin + "/dbus-launch", "#!/bin/sh\necho \"$@\" >>\"" + tmp / "started" + "\"\nexit 1\n");
    ASSERT_EQ(::chmod((bin + "/dbus-launch").c_str(), 0755), 0);
    ::setenv("PATH", (bin + ":" + ::getenv("PATH")).c_str(), 1);
    ::setenv("DISPLAY", ":4242", 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");

    const std::string dir = tmp / "Folder";
    makeDir(dir);
    icons.showIcon(dir, {.file = "/icons/a.ico", .themeName = {}});
    EXPECT_EQ(readBytes(dir + "/.directory"), "[Desktop Entry]\nIcon=/icons/a.ico\n");
    icons.showIcon(dir, {.file = {}, .themeName = "application-x-executable"});
    icons.showDefault(dir);
    EXPECT_FALSE(exists(dir + "/.directory"));
    EXPECT_FALSE(exists(tmp / "started")) << readBytes(tmp / "started");
}

}  // namespace
}  // namespace quorvane
