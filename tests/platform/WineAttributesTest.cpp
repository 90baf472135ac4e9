// One representation of DOS attributes on both sides: wine keeps them in "user.DOSATTRIB" as our
// Linux services do. A folder hidden here reads back as hidden + system in a Windows program under
// wine, and one hidden by the Windows build reads back as 6 here. Needs the Windows build
// (tools/test-windows.sh); without it the test is skipped, unless QUORVANE_REQUIRE_WINE is set.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/posix/FileSystem.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

const std::string kWindowsBuild = QUORVANE_WINDOWS_BUILD_DIR;
const std::string kProbe = kWindowsBuild + "/tests/platform/win_probe.exe";

std::string windowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

class WineAttributes : public ::testing::Test {
protected:
    void SetUp() override {
        const bool haveWine = std::system("test -x /usr/lib/wine/wine64 || command -v wine >/dev/null") == 0;
        if (!test::exists(kProbe) || !haveWine) {
            if (std::getenv("QUORVANE_REQUIRE_WINE")) FAIL() << "no Windows build at " << kWindowsBuild;
            GTEST_SKIP() << "no Windows build (tools/test-windows.sh makes one) or no wine";
        }
    }

    // Runs the probe under wine; its output comes through a file, so that no wine server started
    // here holds a pipe that the test runner waits for.
    std::string probe(const std::string& args) {
        const std::string out = tmp / "probe.out";
        const std::string command = "cd / && WINEPREFIX='" + kWindowsBuild + "/wineprefix' WINEDEBUG=-all " +
                                    "$(test -x /usr/lib/wine/wine64 && echo /usr/lib/wine/wine64 || echo wine) '" +
                                    kProbe + "' " + args + " >'" + out + "' 2>/dev/null </dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::string text = test::readBytes(out);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }

    test::TempDir tmp;
    FileSystemPosix fs;
};

TEST_F(WineAttributes, HiddenHereIsHiddenAndSystemUnderWine) {
    test::makeDir(tmp / "Secret");
    fs.setAttributes(tmp / "Secret", 6);
    EXPECT_EQ(probe("get '" + windowsPath(tmp / "Secret") + "'"), "22");  // directory + system + hidden

    fs.setAttributes(tmp / "Secret", 32);
    EXPECT_EQ(probe("get '" + windowsPath(tmp / "Secret") + "'"), "16");  // a plain folder again
}

TEST_F(WineAttributes, HiddenUnderWineIsSixHere) {
    test::makeDir(tmp / "Secret");
    EXPECT_EQ(probe("set '" + windowsPath(tmp / "Secret") + "' 6"), "");
    EXPECT_EQ(fs.attributes(tmp / "Secret"), 6u);
    char value[64];
    const ssize_t n = ::getxattr((tmp / "Secret").c_str(), "user.DOSATTRIB", value, sizeof value);
    ASSERT_GT(n, 0) << "wine stored no user.DOSATTRIB";
    EXPECT_EQ(std::string(value, static_cast<std::size_t>(n)), "0x6");  // wine's own form, without a NUL

    EXPECT_EQ(probe("set '" + windowsPath(tmp / "Secret") + "' 32"), "");
    EXPECT_EQ(fs.attributes(tmp / "Secret") & 6u, 0u);
}

// wine reads only the hex text: what we write over Samba's record must begin with it. A file's
// text gets a leading zero ("0x06") to keep the record where the kernel's server reads it.
TEST_F(WineAttributes, WhatWeWriteOverSambasRecordIsReadByWine) {
    using namespace std::string_literals;
    const std::string folderRecord = "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x10\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s;
    const std::string fileRecord = "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x20\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s;
    test::makeDir(tmp / "Secret");
    test::writeBytes(tmp / "desktop.ini", "");
    ASSERT_EQ(::setxattr((tmp / "Secret").c_str(), "user.DOSATTRIB", folderRecord.data(), folderRecord.size(), 0), 0);
    ASSERT_EQ(::setxattr((tmp / "desktop.ini").c_str(), "user.DOSATTRIB", fileRecord.data(), fileRecord.size(), 0), 0);
    EXPECT_EQ(probe("get '" + windowsPath(tmp / "Secret") + "'"), "16");  // Samba's empty text: nothing hidden

    fs.setAttributes(tmp / "Secret", 6);
    fs.setAttributes(tmp / "desktop.ini", 6);
    EXPECT_EQ(probe("get '" + windowsPath(tmp / "Secret") + "'"), "22");       // directory + system + hidden
    EXPECT_EQ(probe("get '" + windowsPath(tmp / "desktop.ini") + "'"), "38");  // archive + system + hidden
}

}  // namespace
}  // namespace quorvane
