// What the Win32 file services add to the shared contract: the attributes as the system keeps
// them, names beyond ASCII, text in the ANSI code page, and the errors of a missing folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "platform/Error.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;

class FileSystemWin32Test : public ::testing::Test {
protected:
    int errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const PlatformError& e) {
            return e.number();
        }
        return 0;
    }
    DWORD raw(const std::string& path) { return ::GetFileAttributesW(win32::toWide(path)->c_str()); }

    test::TempDir tmp;
    FileSystemWin32 fs;
};

// The sets the actions give a folder read back exactly (wine keeps hidden and system, which is
// what they are about); the directory bit stays the system's own.
TEST_F(FileSystemWin32Test, FolderAttributesTheActionsSet) {
    test::makeDir(tmp / "d");
    fs.setAttributes(tmp / "d", attr::Hidden | attr::System);
    EXPECT_EQ(raw(tmp / "d"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | 6));
    EXPECT_EQ(fs.attributes(tmp / "d"), 6u);
    fs.setAttributes(tmp / "d", attr::System);
    EXPECT_EQ(fs.attributes(tmp / "d"), 4u);
    fs.setAttributes(tmp / "d", attr::Archive);
    EXPECT_EQ(fs.attributes(tmp / "d") & 7u, 0u);
    fs.setAttributes(tmp / "d", 0);
    EXPECT_EQ(raw(tmp / "d") & 7u, 0u);

    writeBytes(tmp / "desktop.ini", "");
    fs.setAttributes(tmp / "desktop.ini", attr::Hidden | attr::System);
    EXPECT_EQ(fs.attributes(tmp / "desktop.ini") & 7u, 6u);
    EXPECT_FALSE(fs.normalFileExists(tmp / "desktop.ini"));
}

TEST_F(FileSystemWin32Test, NamesBeyondAscii) {
    const std::string name = tmp / "\xc5\xa0ifra \xe6\x97\xa5\xe6\x9c\xac";  // not in the ANSI code page
    test::makeDir(name);
    fs.rename(name, name + ".{21EC2020-3AEA-1069-A2DD-08002B30309D}");
    EXPECT_TRUE(exists(name + ".{21EC2020-3AEA-1069-A2DD-08002B30309D}"));
    writeBytes(tmp / "\xc3\xa9.txt", "abc");
    EXPECT_EQ(fs.fileLength(tmp / "\xc3\xa9.txt"), 3u);
    EXPECT_EQ(errorOf([&] { fs.fileLength(tmp / "\xff"); }), errc::BadFileName);  // no UTF-8
}

TEST_F(FileSystemWin32Test, RenameOntoTheSameObjectUnderAnotherCaseFails) {
    test::makeDir(tmp / "Secret");
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "Secret", tmp / "SECRET"); }), errc::FileAlreadyExists);
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "Secret", tmp / "Secret"); }), errc::FileAlreadyExists);
    EXPECT_TRUE(exists(tmp / "Secret"));
}

TEST_F(FileSystemWin32Test, LinesInTheAnsiCodePage) {
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(fs.textFileBytes("caf\xc3\xa9 \xe2\x82\xac"), "caf\xe9 \x80");
    EXPECT_EQ(errorOf([&] { fs.textFileBytes("\xce\xa9"); }), errc::InvalidPathText);  // Greek: no code
    EXPECT_EQ(errorOf([&] { fs.textFileBytes("\xff"); }), errc::InvalidPathText);      // no UTF-8, no "?"
    fs.writeFile(tmp / "out", fs.textFileBytes("caf\xc3\xa9 \xe2\x82\xac") + "\r\nend\r\n");

    fs.openText(1, tmp / "out");
    EXPECT_EQ(fs.readLine(1), "caf\xc3\xa9 \xe2\x82\xac");
    fs.close(1);
}

TEST_F(FileSystemWin32Test, AHiddenFileCanBeRewrittenAndStaysHidden) {
    writeBytes(tmp / "l0g.ext", "old\r\n");
    fs.setAttributes(tmp / "l0g.ext", attr::Hidden);
    fs.writeFile(tmp / "l0g.ext", "new\r\n");
    EXPECT_EQ(readBytes(tmp / "l0g.ext"), "new\r\n");
    EXPECT_EQ(fs.attributes(tmp / "l0g.ext") & attr::Hidden, attr::Hidden);
}

TEST_F(FileSystemWin32Test, ErrorNumbersOfMissingFilesAndFolders) {
    const std::string noFolder = tmp / "nofolder" + "\\f";
    EXPECT_EQ(errorOf([&] { fs.openText(1, noFolder); }), errc::FileNotFound);
    EXPECT_EQ(errorOf([&] { fs.setAttributes(noFolder, 6); }), errc::FileNotFound);
    EXPECT_EQ(errorOf([&] { fs.deleteFile(tmp / "missing"); }), errc::FileNotFound);
    test::makeDir(tmp / "dir");
    EXPECT_EQ(errorOf([&] { fs.deleteFile(tmp / "dir"); }), errc::PathFileAccessError);
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "dir", tmp / "nofolder\\x"); }), errc::FileNotFound);
    EXPECT_TRUE(exists(tmp / "dir"));
}

}  // namespace
}  // namespace quorvane
