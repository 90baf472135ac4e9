// Where a Windows program keeps its register, from the facts of the machine it runs on: the known
// folders and whether the program's own folder takes a new file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/Win32Text.h"
#include "protect/RegisterLocation.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// The environment's own names for the folders, independent of the known-folder calls under test.
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

TEST(RegisterLocationWin32, CopiesInTheUsersFoldersKeepTheirRegisterInstalledOnesUseAppData) {
    const test::TempDir portable;
    const std::string programFiles = environment("ProgramFiles");
    const std::string appData = environment("APPDATA");
    ASSERT_FALSE(programFiles.empty());
    ASSERT_FALSE(appData.empty());
    const std::string data = appData + "\\Quorvane";

    struct Case {
        const char* name;
        std::string applicationDirectory;
        std::string expected;
    } const cases[] = {
        {"a copy unpacked into a folder of the user's", portable.path(), portable.path()},
        {"installed under Program Files", programFiles + "\\Quorvane", data},
        {"installed, the path in other case", lower(programFiles) + "\\QUORVANE", data},
        {"a folder nobody can make files in", portable / "not-there", data},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegisterFolder(c.applicationDirectory, installFactsFor(c.applicationDirectory)), c.expected)
            << c.name;
    }
}

TEST(RegisterLocationWin32, TheWriteProbeLeavesNothingBehind) {
    const test::TempDir portable;
    ASSERT_TRUE(installFactsFor(portable.path()).applicationDirectoryWritable);
    WIN32_FIND_DATAW found;
    const std::wstring pattern = *win32::toWide(portable.path()) + L"\\*";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int entries = 0;
    do {
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..") ++entries;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    EXPECT_EQ(entries, 0);
}

}  // namespace
}  // namespace quorvane
