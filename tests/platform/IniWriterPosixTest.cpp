// The Linux profile writer on real files: what it writes, what it keeps, and what it leaves alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>

#include "icons/WriteIniValue.h"
#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/IniWriter.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::readBytes;
using test::writeBytes;

class IniWriterPosixTest : public ::testing::Test {
protected:
    std::vector<std::string> namesInFolder() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(tmp.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir tmp;
    IniWriterPosix writer;
    FileSystemPosix fs;
};

TEST_F(IniWriterPosixTest, CreatesTheFileWithExactlyThreeLines) {
    const std::string ini = tmp / "desktop.ini";
    writer.writeString(".ShellClassInfo", "iconfile", "/icons/a b.ico", ini);
    writer.writeString(".ShellClassInfo", "iconindex", "0", ini);
    EXPECT_EQ(readBytes(ini), "[.ShellClassInfo]\r\niconfile=/icons/a b.ico\r\niconindex=0\r\n");
    EXPECT_EQ(namesInFolder(), std::vector<std::string>{"desktop.ini"});  // no temporary file left
}

TEST_F(IniWriterPosixTest, RewriteKeepsAttributesPermissionsAndOtherExtendedAttributes) {
    const std::string ini = tmp / "desktop.ini";
    writeBytes(ini, "[.ShellClassInfo]\r\niconfile=/old.ico\r\n");
    fs.setAttributes(ini, attr::Hidden | attr::System);
    ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
    ASSERT_EQ(::setxattr(ini.c_str(), "user.note", "kept", 4, 0), 0);
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);

    writer.writeString(".ShellClassInfo", "iconfile", "/new.ico", ini);

    EXPECT_EQ(readBytes(ini), "[.ShellClassInfo]\r\niconfile=/new.ico\r\n");
    EXPECT_EQ(fs.attributes(ini), 6u);
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced in one step, not rewritten in place
    char note[8] = {};
    EXPECT_EQ(::getxattr(ini.c_str(), "user.note", note, sizeof note), 4);
    EXPECT_EQ(std::string(note), "kept");
}

TEST_F(IniWriterPosixTest, NothingToChangeLeavesTheFileAndCreatesNothing) {
    const std::string ini = tmp / "desktop.ini";
    writer.writeString(".ShellClassInfo", "iconfile", std::nullopt, ini);
    EXPECT_FALSE(exists(ini));

    writeBytes(ini, "[.ShellClassInfo]\r\niconindex=0\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(ini.c_str(), &before), 0);
    writer.writeString(".ShellClassInfo", "iconindex", "0", ini);
    writer.writeString(".ShellClassInfo", "iconfile", std::nullopt, ini);
    struct stat after {};
    ASSERT_EQ(::stat(ini.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readBytes(ini), "[.ShellClassInfo]\r\niconindex=0\r\n");
}

// A link planted as desktop.ini (in a folder others can write) would send our lines into any file
// of the user's: it is refused, and the link and its target stay as they were.
TEST_F(IniWriterPosixTest, RefusesASymbolicLink) {
    const std::string target = tmp / "real.ini";
    const std::string link = tmp / "desktop.ini";
    writeBytes(target, "[a]\r\n");
    std::filesystem::create_symlink(target, link);
    try {
        writer.writeString("a", "k", "v", link);
        FAIL() << "wrote through the link";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PathFileAccessError);
        EXPECT_EQ(e.description(), "Path/File access error: " + link + " is a symbolic link, not a file");
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), "[a]\r\n");
    EXPECT_EQ(namesInFolder(), (std::vector<std::string>{"desktop.ini", "real.ini"}));
}

TEST_F(IniWriterPosixTest, FailuresAreErrorsOfTheWriterAndSilentInWriteIniValue) {
    const std::string inMissingFolder = tmp / "missing/desktop.ini";
    try {
        writer.writeString(".ShellClassInfo", "iconfile", "/a.ico", inMissingFolder);
        FAIL() << "wrote into a missing folder";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PathNotFound);
    }
    test::makeDir(tmp / "folder.ini");
    EXPECT_THROW(writer.writeString("a", "k", "v", tmp / "folder.ini"), PlatformError);
    EXPECT_THROW(writer.writeString("a", "k", "v\r\n[b]", tmp / "desktop.ini"), PlatformError);
    EXPECT_FALSE(exists(tmp / "desktop.ini"));

    WriteIniValue(writer, ".ShellClassInfo", "iconfile", "/a.ico", inMissingFolder);  // returns quietly
    EXPECT_FALSE(exists(inMissingFolder));
    WriteIniValue(writer, ".ShellClassInfo", "iconfile", "/a.ico", tmp / "desktop.ini");
    EXPECT_EQ(readBytes(tmp / "desktop.ini"), "[.ShellClassInfo]\r\niconfile=/a.ico\r\n");
}

TEST(CoreServicesPosix, TheProfileWriterIsOurs) {
    const CoreServices services = makeCoreServices();
    EXPECT_NE(dynamic_cast<IniWriterPosix*>(services.iniWriter.get()), nullptr);
    EXPECT_TRUE(services.iniWriter->canStore("/a b/c.ico"));
    EXPECT_FALSE(services.iniWriter->canStore("/a\r\nb"));
}

}  // namespace
}  // namespace quorvane
