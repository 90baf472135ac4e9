// Starting a program: it runs on its own, shown normally; a missing one is an error.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Error.h"
#include "platform/win32/ProgramLauncher.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// The probe program lies beside this test.
std::string probePath() {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = win32::fromWide(std::wstring(self, n));
    return path.substr(0, path.rfind('\\') + 1) + QUORVANE_WIN_PROBE;
}

TEST(ProgramLauncherWin32, StartsTheProgramShownNormally) {
    test::TempDir tmp;
    const std::string marker = tmp / "started";
    ::SetEnvironmentVariableW(L"QUORVANE_LAUNCH_MARKER", win32::toWide(marker)->c_str());
    ProgramLauncherWin32().start(probePath());
    for (int i = 0; i < 200 && !test::exists(marker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(test::exists(marker));
    EXPECT_EQ(test::readBytes(marker), "1 1");  // STARTF_USESHOWWINDOW with SW_SHOWNORMAL
}

TEST(ProgramLauncherWin32, AMissingProgramIsAnError) {
    test::TempDir tmp;
    try {
        ProgramLauncherWin32().start(tmp / "MSINFO32.EXE");
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::FileNotFound);
    }
}

}  // namespace
}  // namespace quorvane
