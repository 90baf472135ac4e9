// What the Win32 file services add to the shared contract: the attributes as the system keeps
// them, names beyond ASCII, text in the ANSI code page, and the errors of a missing folder.
#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>
#include <windows.h>

#include <functional>

#include "platform/Error.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/Win32Error.h"
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


// A file rewritten whole keeps what the system's replacement keeps of the file it replaces. Each
// is checked where the file system keeps it at all: wine's drive has no alternate streams (a name
// with a colon is a file of its own beside it), takes no creation time (it reports the time of the
// last change of the Unix inode) and keeps no security descriptor (it maps one to the Unix mode).
class FileReplacementWin32Test : public FileSystemWin32Test {
protected:
    void SetUp() override {
        file = tmp / "desktop.ini";
        writeBytes(file, "[.ShellClassInfo]\r\nInfoTip=Mine\r\n");
        fs.setAttributes(file, attr::Hidden | attr::System);
    }
    std::wstring wfile() const { return *win32::toWide(file); }
    // The folder holds the file and nothing else: no temporary file, no old copy.
    void expectOnlyTheFile() { EXPECT_EQ(test::namesIn(tmp.path()), std::vector<std::string>{"desktop.ini"}); }

    std::string file;
};

TEST_F(FileReplacementWin32Test, KeepsHiddenAndSystem) {
    fs.writeFile(file, "[.ShellClassInfo]\r\niconindex=0\r\n");
    EXPECT_EQ(readBytes(file), "[.ShellClassInfo]\r\niconindex=0\r\n");
    EXPECT_EQ(fs.attributes(file) & 7u, attr::Hidden | attr::System);
    expectOnlyTheFile();
}

TEST_F(FileReplacementWin32Test, KeepsAlternateStreams) {
    DWORD flags = 0;
    const std::wstring root = wfile().substr(0, 3);
    ASSERT_TRUE(::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
    if (!(flags & FILE_NAMED_STREAMS))
        GTEST_SKIP() << "the drive has no alternate data streams (FILE_NAMED_STREAMS): wine makes a file "
                        "named \"desktop.ini:Zone.Identifier\" beside desktop.ini instead";
    writeBytes(file + ":Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n");
    fs.writeFile(file, "new\r\n");
    EXPECT_EQ(readBytes(file), "new\r\n");
    EXPECT_EQ(readBytes(file + ":Zone.Identifier"), "[ZoneTransfer]\r\nZoneId=3\r\n");
    expectOnlyTheFile();
}

TEST_F(FileReplacementWin32Test, KeepsTheCreationTime) {
    const FILETIME created{0x12345678u, 0x01d00000u};  // 2014
    auto creationOf = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(wfile().c_str(), GetFileExInfoStandard, &data);
        return (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
               data.ftCreationTime.dwLowDateTime;
    };
    {
        const HANDLE h = ::CreateFileW(wfile().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ::SetFileTime(h, &created, nullptr, nullptr);
        ::CloseHandle(h);
    }
    const std::uint64_t expected = (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    if (creationOf() != expected)
        GTEST_SKIP() << "the file system keeps no creation time that is set (wine reports the inode's change time)";
    fs.writeFile(file, "new\r\n");
    EXPECT_EQ(readBytes(file), "new\r\n");
    EXPECT_EQ(creationOf(), expected);
}

TEST_F(FileReplacementWin32Test, KeepsTheSecurityDescriptor) {
    // Everyone may read, only the administrators write: a descriptor of its own, inherited from
    // nothing, as an administrator might give the register.
    constexpr wchar_t kDescriptor[] = L"D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FA;;;OW)(A;;FR;;;WD)";
    auto descriptorOf = [&] {
        PSECURITY_DESCRIPTOR sd = nullptr;
        std::wstring text = L"<none>";
        if (::GetNamedSecurityInfoW(wfile().c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    nullptr, nullptr, &sd) == ERROR_SUCCESS) {
            LPWSTR s = nullptr;
            if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(sd, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                                       &s, nullptr)) {
                text = s;
                ::LocalFree(s);
            }
            ::LocalFree(sd);
        }
        return text;
    };
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(kDescriptor, SDDL_REVISION_1, &sd, nullptr));
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ::GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted);
    const DWORD set = ::SetNamedSecurityInfoW(wfile().data(), SE_FILE_OBJECT,
                                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                              nullptr, nullptr, dacl, nullptr);
    ::LocalFree(sd);
    ASSERT_EQ(set, static_cast<DWORD>(ERROR_SUCCESS));
    const std::wstring before = descriptorOf();
    if (before.rfind(L"D:P", 0) != 0)
        GTEST_SKIP() << "the file system keeps no security descriptor of its own (wine maps it to the Unix mode: "
                     << win32::fromWide(before) << ")";
    fs.writeFile(file, "new\r\n");
    EXPECT_EQ(readBytes(file), "new\r\n");
    EXPECT_EQ(descriptorOf(), before);
}

// A file someone else holds open, sharing nothing, cannot be replaced: the error is the plain
// move's, the old file stays whole, and neither the new content nor the old file is left beside it.
TEST_F(FileReplacementWin32Test, AFileHeldOpenStaysAsItWas) {
    const HANDLE held = ::CreateFileW(wfile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const int number = errorOf([&] { fs.writeFile(file, "new\r\n"); });
    ::CloseHandle(held);
    EXPECT_EQ(number, errc::PathFileAccessError);
    EXPECT_EQ(readBytes(file), "[.ShellClassInfo]\r\nInfoTip=Mine\r\n");
    EXPECT_EQ(fs.attributes(file) & 7u, attr::Hidden | attr::System);
    expectOnlyTheFile();
}

// Where a replacement stopped, as ReplaceFileW describes each of its failures: the old file is
// back under its name with its content, and no temporary file or old copy is left.
TEST_F(FileReplacementWin32Test, PutBackAfterEachWayAReplacementStops) {
    struct Case {
        const char* name;
        bool targetThere;  // the old file still under its name
        bool backupThere;  // the old file moved aside
        bool tempThere;    // the new content still under its temporary name
    };
    const Case cases[] = {
        {"the old file could not be moved aside (ERROR_UNABLE_TO_REMOVE_REPLACED)", true, false, true},
        {"the new file could not be moved in, the old one kept (ERROR_UNABLE_TO_MOVE_REPLACEMENT)", true, false, true},
        {"the old file moved aside, the new one not in (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)", false, true, true},
        {"the old file moved aside, the new one gone", false, true, false},
        {"the old file copied aside and kept", true, true, true},
    };
    const std::string old = readBytes(file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string temp = tmp / "~desktop.ini.1.tmp";
        const std::string backup = tmp / "~desktop.ini.2.old";
        if (c.backupThere) {
            ASSERT_TRUE(::CopyFileW(wfile().c_str(), win32::toWide(backup)->c_str(), FALSE));
            if (!c.targetThere) fs.deleteFile(file);
        }
        if (c.tempThere) writeBytes(temp, "new\r\n");
        win32::putBackAfterFailedReplacement(wfile(), *win32::toWide(temp), *win32::toWide(backup));
        EXPECT_EQ(readBytes(file), old);
        expectOnlyTheFile();
    }
}

// ReplaceFileW's own codes read as the plain move's errors did; a denied access to a read-only
// file as the refusal of a read-only file, whoever made it read-only meanwhile.
TEST(FileReplacementErrors, ReadAsThePlainMovesErrors) {
    const std::string path = "C:\\f\\l0g.ext";
    const std::string denied = win32::errorFromCode(ERROR_ACCESS_DENIED, path).description();
    struct Case {
        DWORD code;
        DWORD attributes;
        std::string description;
    };
    const Case cases[] = {
        {ERROR_UNABLE_TO_REMOVE_REPLACED, FILE_ATTRIBUTE_HIDDEN, denied},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, FILE_ATTRIBUTE_ARCHIVE, denied},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, INVALID_FILE_ATTRIBUTES, denied},
        {ERROR_ACCESS_DENIED, FILE_ATTRIBUTE_HIDDEN, denied},
        {ERROR_ACCESS_DENIED, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, readOnlyFile(path).description()},
        {ERROR_SHARING_VIOLATION, FILE_ATTRIBUTE_ARCHIVE,
         win32::errorFromCode(ERROR_SHARING_VIOLATION, path).description()},
        {ERROR_DISK_FULL, FILE_ATTRIBUTE_ARCHIVE, errorFor(errc::DiskFull, path).description()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(win32::replacementError(c.code, path, c.attributes).description(), c.description);
    }
    EXPECT_NE(denied.find("denied"), std::string::npos) << denied;  // the system's own words
}

}  // namespace
}  // namespace quorvane
