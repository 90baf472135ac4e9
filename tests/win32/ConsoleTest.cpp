// quorvane.com, the console companion, as a batch file meets it under wine: "quorvane" in a
// console finds it before quorvane.exe, and the batch file reads each command's output and status
// (ERRORLEVEL). The disk is checked after each command: attributes and the register's bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::readBytes;
using test::writeBytes;

// Runs `command` and waits for it; its exit code, or -1.
int run(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

DWORD attributesOf(const std::string& path) { return ::GetFileAttributesW(win32::toWide(path)->c_str()); }

// A portable copy of both programs in a folder of their own, with the batch file beside them.
class ConsoleTest : public ::testing::Test {
protected:
    ConsoleTest() {
        test::makeDir(program);
        ::CopyFileW(QUORVANE_CONSOLE, win32::toWide(program + "\\quorvane.com")->c_str(), FALSE);
        ::CopyFileW(QUORVANE_PROGRAM, win32::toWide(program + "\\quorvane.exe")->c_str(), FALSE);
    }
    // Runs the batch file `lines` (CR LF added) in the programs' folder with cmd, as a user's script.
    void batch(const std::string& lines) {
        writeBytes(program + "\\script.bat", "@echo off\r\ncd /d \"%~dp0\"\r\n" + lines);
        ASSERT_EQ(run(L"cmd.exe /c \"" + *win32::toWide(program + "\\script.bat") + L"\""), 0);
    }
    std::string file(const std::string& name) { return readBytes(program + "\\" + name); }

    test::TempDir tmp;
    const std::string program = tmp / "Quorvane";
};

TEST_F(ConsoleTest, ABatchFileReadsEachCommandsOutputAndStatus) {
    const std::string secret = tmp / "Secret";
    test::makeDir(secret);
    batch("quorvane hide \"" + secret + "\" >hide.out 2>hide.err\r\n"
          ">status.txt echo hide %ERRORLEVEL%\r\n"
          "quorvane hide \"" + tmp / "Missing" + "\" >bad.out 2>bad.err\r\n"
          ">>status.txt echo bad %ERRORLEVEL%\r\n"
          "quorvane lock \"" + secret + "\" attic >usage.out 2>usage.err\r\n"
          ">>status.txt echo usage %ERRORLEVEL%\r\n"
          "quorvane list >list.out 2>list.err\r\n"
          ">>status.txt echo list %ERRORLEVEL%\r\n");

    EXPECT_EQ(file("status.txt"), "hide 0\r\nbad 1\r\nusage 2\r\nlist 0\r\n");
    EXPECT_EQ(file("hide.out"), "The folder: \r\n" + secret + "\r\n  it's not visible now\r\n");
    EXPECT_EQ(file("hide.err"), "");
    EXPECT_EQ(attributesOf(secret) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(file("l0g.ext"), secret + "\r\n");  // the portable copy's register, beside it
    EXPECT_EQ(file("bad.out"), "");
    EXPECT_EQ(file("bad.err"), "quorvane: Run-time error '76':\r\n\r\nPath not found: " + tmp / "Missing" + "\r\n");
    EXPECT_EQ(file("usage.out"), "");
    EXPECT_EQ(file("usage.err").rfind("quorvane: unknown disguise: attic\r\nUsage: quorvane [FOLDER]\r\n", 0), 0u)
        << file("usage.err");
    EXPECT_EQ(file("list.out"), secret + "\r\n");
}

// A folder hidden by a Windows program (its attributes alone) is found; --register records it.
TEST_F(ConsoleTest, FindHiddenFindsAFolderHiddenByAnotherProgram) {
    const std::string tree = tmp / "Tree";
    const std::string other = tree + "\\Other";
    const std::string mine = tree + "\\Mine";
    test::makeDir(tree);
    test::makeDir(other);
    test::makeDir(mine);
    ASSERT_TRUE(::SetFileAttributesW(win32::toWide(other)->c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    batch("quorvane hide \"" + mine + "\" >nul\r\n"
          "quorvane find-hidden \"" + tree + "\" --register >found.out 2>found.err\r\n"
          ">status.txt echo %ERRORLEVEL%\r\n");
    EXPECT_EQ(file("status.txt"), "0\r\n");
    EXPECT_EQ(file("found.out"), other + "\r\n");
    EXPECT_EQ(file("found.err"), "");
    EXPECT_EQ(file("l0g.ext"), mine + "\r\n" + other + "\r\n");
}

// Windows takes a path in any case for the same folder: a folder whose register line is spelt in
// another case is registered already, and is neither listed nor added again.
TEST_F(ConsoleTest, FindHiddenTakesARegisterLineInAnotherCaseForTheSameFolder) {
    const std::string tree = tmp / "Tree";
    test::makeDir(tree);
    test::makeDir(tree + "\\Mine");
    test::makeDir(tree + "\\Other");
    ASSERT_TRUE(::SetFileAttributesW(win32::toWide(tree + "\\Other")->c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    std::string shouted = tree;
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    batch("quorvane hide \"" + tree + "\\Mine\" >nul\r\n"
          "quorvane find-hidden \"" + shouted + "\" --register >found.out 2>found.err\r\n"
          ">status.txt echo %ERRORLEVEL%\r\n");
    EXPECT_EQ(file("status.txt"), "0\r\n");
    EXPECT_EQ(file("found.out"), shouted + "\\Other\r\n");
    EXPECT_EQ(file("l0g.ext"), tree + "\\Mine\r\n" + shouted + "\\Other\r\n");
}

}  // namespace
}  // namespace quorvane
