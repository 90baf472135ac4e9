// "Set Default Icon" and what the file managers are told, on real folders with the platform's own
// file services and profile writer.
#include "icons/FolderIcons.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "platform/PathSeparator.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::exists;

// The attribute bits the platform keeps as set. wine keeps only hidden and system and makes up the
// rest from the Unix file (archive for every file, nothing for folders); its build says so.
#ifndef QUORVANE_ATTRIBUTES_KEPT
#define QUORVANE_ATTRIBUTES_KEPT 0xFFFFFFFFu
#endif
std::uint32_t kept(std::uint32_t attributes) { return attributes & QUORVANE_ATTRIBUTES_KEPT; }

using test::readBytes;
using test::writeBytes;

// Hands every call on to the platform's own service and writes it down; fails on demand.
class RecordingFileManagers final : public FileManagerIcons {
public:
    explicit RecordingFileManagers(FileManagerIcons& real) : m_real(real) {}
    void showIcon(const std::string& folder, const FolderIcon& icon) override {
        calls.push_back("icon " + folder + " " + (icon.file.empty() ? "theme:" + icon.themeName : icon.file));
        if (fail) throw PlatformError(errc::DiskFull, "Disk full");
        m_real.showIcon(folder, icon);
    }
    void showDefault(const std::string& folder) override {
        calls.push_back("default " + folder);
        if (fail) throw PlatformError(errc::DiskFull, "Disk full");
        m_real.showDefault(folder);
    }
    std::vector<std::string> calls;
    bool fail = false;

private:
    FileManagerIcons& m_real;
};

class FolderIcons : public ::testing::Test {
protected:
    std::string folder(const std::string& name) {
        const std::string path = tmp / name;
        test::makeDir(path);
        return path;
    }
    static std::string iniOf(const std::string& dir) { return dir + kSeparator + "desktop.ini"; }

    test::TempDir tmp;
    CoreServices services = makeCoreServices();
    test::FaultyFileSystem fs{*services.fileSystem};
    RecordingFileManagers managers{*services.fileManagerIcons};
};

TEST_F(FolderIcons, SetDefaultDeletesOnlyAFileThatHeldNothingElse) {
    struct Case {
        const char* name;
        const char* ini;  // nullptr: no desktop.ini
        std::uint32_t folderBefore;
        const char* iniAfter;  // nullptr: deleted
        std::uint32_t folderAfter;
    };
    const Case cases[] = {
        {"the two keys as Change Icon wrote them", "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n", 4,
         nullptr, 32},
        {"the keys in another case and the header alone", "[.shellclassinfo]\r\nIconIndex=0\r\n", 4, nullptr, 32},
        {"an empty file", "", 4, nullptr, 32},
        {"no desktop.ini", nullptr, 4, nullptr, 32},
        // A hidden folder stays hidden: Hidden and System stay, whatever happens to desktop.ini.
        {"a hidden folder without desktop.ini", nullptr, 6, nullptr, 0x26},
        {"a hidden folder whose desktop.ini held the icon alone", "[.ShellClassInfo]\r\niconfile=/a.ico\r\n", 6,
         nullptr, 0x26},
        {"a read-only hidden folder", nullptr, 7, nullptr, 0x26},
        {"hidden without System", nullptr, 2, nullptr, 0x22},
        {"an info tip", "[.ShellClassInfo]\r\nInfoTip=Mine\r\niconfile=/a.ico\r\niconindex=0\r\n", 4,
         "[.ShellClassInfo]\r\nInfoTip=Mine\r\n", 0x24},
        {"a localised name",
         "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21770\r\n"
         "IconFile=/a.ico\r\nIconIndex=0\r\n",
         4, "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21770\r\n", 0x24},
        {"view settings in another section",
         "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n[ViewState]\r\nMode=\r\nVid=x\r\n", 4,
         "[.ShellClassInfo]\r\n[ViewState]\r\nMode=\r\nVid=x\r\n", 0x24},
        {"a hidden folder with more in desktop.ini stays hidden",
         "[.ShellClassInfo]\r\niconfile=/a.ico\r\n[X]\r\ny=1\r\n", 6, "[.ShellClassInfo]\r\n[X]\r\ny=1\r\n", 0x26},
        {"a folder without System does not get it", "[Other]\r\nx=1\r\n", 32, "[Other]\r\nx=1\r\n", 32},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = folder("F" + std::to_string(n++));
        if (c.ini) {
            writeBytes(iniOf(dir), c.ini);
            fs.setAttributes(iniOf(dir), attr::Hidden | attr::System);
        }
        fs.setAttributes(dir, c.folderBefore);
        managers.calls.clear();

        ResetFolderIcon(fs, *services.iniWriter, managers, dir);

        if (c.iniAfter) {
            ASSERT_TRUE(exists(iniOf(dir))) << c.name;
            EXPECT_EQ(readBytes(iniOf(dir)), c.iniAfter) << c.name;
            EXPECT_EQ(kept(fs.attributes(iniOf(dir))), kept(6)) << c.name;
        } else {
            EXPECT_FALSE(exists(iniOf(dir))) << c.name;
        }
        EXPECT_EQ(kept(fs.attributes(dir)), kept(c.folderAfter)) << c.name;
        EXPECT_EQ(managers.calls, std::vector<std::string>{"default " + dir}) << c.name;
    }
}

TEST_F(FolderIcons, SetDefaultSkipsEachFailingStep) {
    const std::string withInfoTip = "[.ShellClassInfo]\r\nInfoTip=Mine\r\niconfile=/a.ico\r\n";
    struct Case {
        const char* name;
        test::FaultyFileSystem::Op failing;
        const char* ini;
        bool iniDeleted;
        std::uint32_t folderAfter;
    };
    const Case cases[] = {
        {"unreadable: nothing deleted unseen", test::FaultyFileSystem::Op::ReadFile,
         "[.ShellClassInfo]\r\niconfile=/a.ico\r\n", false, 32},
        {"the deletion fails", test::FaultyFileSystem::Op::DeleteFile, "[.ShellClassInfo]\r\niconfile=/a.ico\r\n",
         false, 32},
        {"the folder's attributes cannot be read: Archive alone", test::FaultyFileSystem::Op::Attributes,
         withInfoTip.c_str(), false, 32},
        {"the attributes cannot be set", test::FaultyFileSystem::Op::SetAttributes,
         "[.ShellClassInfo]\r\niconfile=/a.ico\r\n", true, 4},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = folder("S" + std::to_string(n++));
        writeBytes(iniOf(dir), c.ini);
        fs.setAttributes(dir, attr::System);
        managers.calls.clear();
        fs.failOn(c.failing);
        managers.fail = true;
        ResetFolderIcon(fs, *services.iniWriter, managers, dir);
        managers.fail = false;
        EXPECT_EQ(exists(iniOf(dir)), !c.iniDeleted) << c.name;
        EXPECT_EQ(kept(fs.attributes(dir)), kept(c.folderAfter)) << c.name;
        EXPECT_EQ(managers.calls, std::vector<std::string>{"default " + dir}) << c.name;
        fs.failOn(c.failing, 1000);  // not to fail in a later case
    }
}

TEST_F(FolderIcons, AnEmptyPathChangesNothing) {
    ResetFolderIcon(fs, *services.iniWriter, managers, "");
    EXPECT_EQ(fs.calls(test::FaultyFileSystem::Op::DeleteFile), 0);
    EXPECT_EQ(fs.calls(test::FaultyFileSystem::Op::SetAttributes), 0);
    EXPECT_TRUE(managers.calls.empty());
}

TEST_F(FolderIcons, WhatTheFileManagersAreToShow) {
    const std::string dir = folder("Target");
    writeBytes(tmp / "green.ico", "ico");
    writeBytes(tmp / "TOOL.EXE", "MZ");
    writeBytes(dir + kSeparator + "inside.ico", "ico");
    test::makeDir(tmp / "folder.ico");
    struct Case {
        const char* name;
        std::optional<std::string> iconFile;
        std::optional<FolderIcon> expected;
    };
    const std::vector<Case> cases = {
        {"never chosen", std::nullopt, std::nullopt},
        {"cancelled", std::string(), std::nullopt},
        {"an icon file", tmp / "green.ico", FolderIcon{.file = tmp / "green.ico", .themeName = {}}},
        {"a program: the generic program icon", tmp / "TOOL.EXE",
         FolderIcon{.file = {}, .themeName = "application-x-executable"}},
        {"a name relative to the folder", "inside.ico",
         FolderIcon{.file = dir + kSeparator + "inside.ico", .themeName = {}}},
        {"a missing file", tmp / "missing.ico", std::nullopt},
        {"a folder", tmp / "folder.ico", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(FileManagerIconFor(fs, dir, c.iconFile), c.expected) << c.name;
}

TEST_F(FolderIcons, TellingTheFileManagersPassesTheirFailureOn) {
    const std::string dir = folder("Target");
    writeBytes(tmp / "green.ico", "ico");
    managers.fail = true;
    EXPECT_THROW(TellFileManagers(managers, fs, dir, tmp / "green.ico"), PlatformError);
    EXPECT_THROW(TellFileManagers(managers, fs, dir, std::nullopt), PlatformError);
    EXPECT_EQ(managers.calls, (std::vector<std::string>{"icon " + dir + " " + tmp / "green.ico", "default " + dir}));
}

TEST_F(FolderIcons, TheAttributesOfTheTwoButtons) {
    struct Case {
        std::uint32_t before, changeIcon, setDefault, setDefaultKeepingIni;
    };
    const Case cases[] = {
        {0x0, 0x4, 0x20, 0x20},   {0x4, 0x4, 0x20, 0x24},   {0x21, 0x4, 0x20, 0x20},
        {0x6, 0x6, 0x26, 0x26},   {0x2, 0x6, 0x22, 0x22},   {0x27, 0x6, 0x26, 0x26},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IconFolderAttributes(c.before), c.changeIcon) << c.before;
        EXPECT_EQ(DefaultFolderAttributes(c.before, false), c.setDefault) << c.before;
        EXPECT_EQ(DefaultFolderAttributes(c.before, true), c.setDefaultKeepingIni) << c.before;
    }
}

}  // namespace
}  // namespace quorvane
