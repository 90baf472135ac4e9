// Where the Linux file services keep what Windows keeps in attributes: the "user.DOSATTRIB"
// extended attribute, as Samba and wine store it, and the parent folder's ".hidden" list.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <functional>

#include "platform/Error.h"
#include "platform/posix/FileSystem.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::makeDir;
using test::readBytes;
using test::writeBytes;

std::string rawDosAttrib(const std::string& path) {
    char value[256];
    const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    return n < 0 ? "<none>"s : std::string(value, static_cast<std::size_t>(n));
}

void setRawDosAttrib(const std::string& path, const std::string& value) {
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
}

class PosixAttributes : public ::testing::Test {
protected:
    test::TempDir tmp;
    FileSystemPosix fs;
};

TEST_F(PosixAttributes, StoredAsNulTerminatedHexText) {
    makeDir(tmp / "d");
    fs.setAttributes(tmp / "d", attr::Hidden | attr::System);
    EXPECT_EQ(rawDosAttrib(tmp / "d"), "0x6\0"s);
    fs.setAttributes(tmp / "d", attr::Archive);
    EXPECT_EQ(rawDosAttrib(tmp / "d"), "0x20\0"s);
    fs.setAttributes(tmp / "d", attr::System);
    EXPECT_EQ(rawDosAttrib(tmp / "d"), "0x4\0"s);
}

TEST_F(PosixAttributes, ReadsWhatSambaAndWineWrote) {
    makeDir(tmp / "samba");
    makeDir(tmp / "wine");
    writeBytes(tmp / "plain", "");
    // Samba: hex text of the set (with the directory bit), NUL, then its binary record.
    setRawDosAttrib(tmp / "samba", "0x16\0\x04\0\x04\0\x00\x00\x11\x01\x8c\x2a\xd9\x01"s);
    setRawDosAttrib(tmp / "wine", "0x6"s);
    EXPECT_EQ(fs.attributes(tmp / "samba"), 6u);
    EXPECT_EQ(fs.attributes(tmp / "wine"), 6u);
    EXPECT_EQ(fs.attributes(tmp / "plain"), 0u);
}

// Samba 4.17's own record of a hidden + system folder, and of an archive file, as a live server
// left them: no hex text, version 5, valid flags 0x11, the attribute, the creation time.
TEST_F(PosixAttributes, SambasRecordIsReadAndKeptOnFoldersAndFiles) {
    makeDir(tmp / "Secret");
    writeBytes(tmp / "desktop.ini", "");
    setRawDosAttrib(tmp / "Secret", "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x16\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s);
    setRawDosAttrib(tmp / "desktop.ini", "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x20\0\0\0\x2e\xf3\x15\xce\xb4\x88\xdd\x01"s);
    EXPECT_EQ(fs.attributes(tmp / "Secret"), 6u);
    EXPECT_EQ(fs.attributes(tmp / "desktop.ini"), 32u);
    EXPECT_FALSE(fs.normalFileExists(tmp / "Secret"));
    EXPECT_TRUE(fs.normalFileExists(tmp / "desktop.ini"));

    fs.setAttributes(tmp / "Secret", attr::Archive);
    fs.setAttributes(tmp / "desktop.ini", attr::Hidden | attr::System);
    EXPECT_EQ(rawDosAttrib(tmp / "Secret"),
              "0x30\0\0\x05\0\x05\0\0\0\x11\0\0\0\x30\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s);
    EXPECT_EQ(rawDosAttrib(tmp / "desktop.ini"),
              "0x06\0\0\x05\0\x05\0\0\0\x11\0\0\0\x06\0\0\0\x2e\xf3\x15\xce\xb4\x88\xdd\x01"s);
    EXPECT_EQ(fs.attributes(tmp / "Secret"), 32u);
    EXPECT_EQ(fs.attributes(tmp / "desktop.ini"), 6u);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "desktop.ini\n");
}

TEST_F(PosixAttributes, AValueOfAnUnknownFormIsLeftAsItWas) {
    const std::string unknown = "\0\0\x06\0\x06\0\0\0\x11\0\0\0\x16\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s;
    makeDir(tmp / "Secret");
    setRawDosAttrib(tmp / "Secret", unknown);
    try {
        fs.setAttributes(tmp / "Secret", attr::Hidden | attr::System);
        FAIL() << "the value was overwritten";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PathFileAccessError);
        EXPECT_EQ(e.description(),
                  "The attributes stored with this object (user.DOSATTRIB) are in a form this program does not know; "
                  "they were left as they were: " +
                      tmp / "Secret");
    }
    EXPECT_EQ(rawDosAttrib(tmp / "Secret"), unknown);
    EXPECT_FALSE(exists(tmp / ".hidden"));
    EXPECT_EQ(fs.attributes(tmp / "Secret"), 0u);  // nothing we can read
}

TEST_F(PosixAttributes, AFailedListUpdateRestoresSambasRecord) {
    const std::string record = "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x10\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s;
    makeDir(tmp / "Secret");
    setRawDosAttrib(tmp / "Secret", record);
    makeDir(tmp / ".hidden");  // a folder where the list should be: it cannot be written
    EXPECT_THROW(fs.setAttributes(tmp / "Secret", 6), PlatformError);
    EXPECT_EQ(rawDosAttrib(tmp / "Secret"), record);
}

TEST_F(PosixAttributes, HiddenBitIsMirroredInDotHidden) {
    makeDir(tmp / "Secret");
    makeDir(tmp / "Other");
    writeBytes(tmp / ".hidden", "keep me\n# a comment\n");

    fs.setAttributes(tmp / "Secret", attr::Hidden | attr::System);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "keep me\n# a comment\nSecret\n");
    fs.setAttributes(tmp / "Secret", attr::Hidden);  // still hidden: listed once
    EXPECT_EQ(readBytes(tmp / ".hidden"), "keep me\n# a comment\nSecret\n");
    fs.setAttributes(tmp / "Other", attr::System);  // system alone does not hide
    EXPECT_EQ(readBytes(tmp / ".hidden"), "keep me\n# a comment\nSecret\n");

    fs.setAttributes(tmp / "Secret", attr::Archive);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "keep me\n# a comment\n");
}

TEST_F(PosixAttributes, DotHiddenRemovedOnlyWhenWeEmptiedIt) {
    makeDir(tmp / "Secret");
    fs.setAttributes(tmp / "Secret", 6);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Secret\n");
    fs.setAttributes(tmp / "Secret", 32);
    EXPECT_FALSE(exists(tmp / ".hidden"));

    writeBytes(tmp / ".hidden", "");  // an empty list the user keeps stays
    fs.setAttributes(tmp / "Secret", 32);
    EXPECT_TRUE(exists(tmp / ".hidden"));
}

TEST_F(PosixAttributes, RenameOfHiddenObjectMovesItsLine) {
    makeDir(tmp / "Secret");
    makeDir(tmp / "sub");
    writeBytes(tmp / ".hidden", "a\nSecret\nb\n");
    fs.setAttributes(tmp / "Secret", 6);
    fs.rename(tmp / "Secret", tmp / "Secret.x");
    EXPECT_EQ(readBytes(tmp / ".hidden"), "a\nb\nSecret.x\n");
    EXPECT_EQ(fs.attributes(tmp / "Secret.x"), 6u);  // the attribute travels with the folder

    fs.rename(tmp / "Secret.x", tmp / "sub/Moved");
    EXPECT_EQ(readBytes(tmp / ".hidden"), "a\nb\n");
    EXPECT_EQ(readBytes(tmp / "sub/.hidden"), "Moved\n");
}

TEST_F(PosixAttributes, RenameOfVisibleObjectLeavesDotHiddenAlone) {
    makeDir(tmp / "Plain");
    writeBytes(tmp / ".hidden", "Plain\n");  // listed by hand, not by us
    fs.rename(tmp / "Plain", tmp / "Plain2");
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Plain\n");
}

TEST_F(PosixAttributes, DeletingAHiddenFileTakesItOffTheList) {
    makeDir(tmp / "F");
    writeBytes(tmp / "F/desktop.ini", "x");
    fs.setAttributes(tmp / "F/desktop.ini", 6);
    EXPECT_EQ(readBytes(tmp / "F/.hidden"), "desktop.ini\n");
    fs.deleteFile(tmp / "F/desktop.ini");
    EXPECT_FALSE(exists(tmp / "F/.hidden"));
}

TEST_F(PosixAttributes, TrailingSlashNamesTheFolder) {
    makeDir(tmp / "Secret");
    fs.setAttributes(tmp / "Secret/", 6);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Secret\n");
}

TEST_F(PosixAttributes, FailedListUpdateUndoesTheAttribute) {
    makeDir(tmp / "Secret");
    makeDir(tmp / ".hidden");  // a folder where the list should be: it cannot be written
    EXPECT_THROW(fs.setAttributes(tmp / "Secret", 6), PlatformError);
    EXPECT_EQ(rawDosAttrib(tmp / "Secret"), "<none>");
}

TEST_F(PosixAttributes, NamesWithNulAreRefused) {
    try {
        fs.setAttributes(tmp.path() + "/a\0b"s, 6);
        FAIL();
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::BadFileName);
    }
}

// A file system without user extended attributes: ramfs, mounted for the test where we may.
TEST_F(PosixAttributes, FileSystemWithoutExtendedAttributesFailsClearly) {
    makeDir(tmp / "mnt");
    if (::mount("none", (tmp / "mnt").c_str(), "ramfs", 0, nullptr) != 0) GTEST_SKIP() << "cannot mount ramfs here";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{tmp / "mnt"};
    makeDir(tmp / "mnt/Secret");
    try {
        fs.setAttributes(tmp / "mnt/Secret", 6);
        FAIL() << "the change was accepted";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PathFileAccessError);
        EXPECT_NE(e.description().find("extended attributes"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(exists(tmp / "mnt/.hidden"));
    EXPECT_EQ(fs.attributes(tmp / "mnt/Secret"), 0u);
}

// The description of the error `f` throws, after checking its number; "" when it throws none.
std::string errorText(const std::function<void()>& f, int number) {
    try {
        f();
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), number) << e.description();
        return e.description();
    }
    ADD_FAILURE() << "no error";
    return {};
}

TEST_F(PosixAttributes, ANameDotHiddenCannotHoldIsNeverWrittenThere) {
    struct Case {
        const char* name;
        std::string object;
    };
    const Case cases[] = {
        {"a line feed in the middle", "a\nb"},
        {"a line feed at the end", "a\n"},
        {"a line feed first", "\nb"},
        {"a CR at the end", "a\r"},
    };
    makeDir(tmp / "a");
    makeDir(tmp / "b");
    for (const Case& c : cases) {
        makeDir(tmp / c.object);
        writeBytes(tmp / ".hidden", "keep\n");
        const std::string text = errorText([&] { fs.setAttributes(tmp / c.object, 6); }, errc::InvalidPathText);
        EXPECT_NE(text.find("the file managers will list it"), std::string::npos) << c.name << ": " << text;
        EXPECT_EQ(text.find('\n'), text.find("\r\n")) << c.name << ": the path is shown on one line";
        EXPECT_EQ(fs.attributes(tmp / c.object), 6u) << c.name;  // the attribute is set all the same
        EXPECT_EQ(readBytes(tmp / ".hidden"), "keep\n") << c.name;
        fs.setAttributes(tmp / c.object, 32);  // shown again: nothing to take out
        EXPECT_EQ(readBytes(tmp / ".hidden"), "keep\n") << c.name;
        EXPECT_EQ(fs.attributes(tmp / "a"), 0u) << c.name;
    }
    // A CR inside a name is an ordinary character of its line.
    makeDir(tmp / "c\rd");
    fs.setAttributes(tmp / "c\rd", 6);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "keep\nc\rd\n");
}

TEST_F(PosixAttributes, RenamingAHiddenObjectToANameDotHiddenCannotHold) {
    makeDir(tmp / "Secret");
    writeBytes(tmp / ".hidden", "a\nb\n");
    fs.setAttributes(tmp / "Secret", 6);
    const std::string text =
        errorText([&] { fs.rename(tmp / "Secret", tmp / "a\nb"); }, errc::InvalidPathText);
    EXPECT_NE(text.find(tmp / "Secret was renamed to " + tmp.path() + "/a[LF]b"), std::string::npos) << text;
    EXPECT_NE(text.find("the file managers will list it"), std::string::npos) << text;
    EXPECT_TRUE(exists(tmp / "a\nb"));
    EXPECT_EQ(fs.attributes(tmp / "a\nb"), 6u);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "a\nb\n");  // the old line went, no new one came
}

TEST_F(PosixAttributes, ARenameWhoseListCannotFollowSaysWhatIsLeftWhere) {
    makeDir(tmp / "Secret");
    makeDir(tmp / "sub");
    makeDir(tmp / "sub/.hidden");  // a folder where the list should be: it cannot be written
    fs.setAttributes(tmp / "Secret", 6);
    const std::string text =
        errorText([&] { fs.rename(tmp / "Secret", tmp / "sub/Moved"); }, errc::PathFileAccessError);
    EXPECT_NE(text.find(tmp / "Secret was renamed to " + tmp / "sub/Moved"), std::string::npos) << text;
    EXPECT_NE(text.find(tmp / "sub/.hidden is a folder"), std::string::npos) << text;
    EXPECT_NE(text.find(tmp / "sub/.hidden does not list the new name"), std::string::npos) << text;
    EXPECT_TRUE(exists(tmp / "sub/Moved"));
    EXPECT_FALSE(exists(tmp / ".hidden"));  // the old line went

    // The old list cannot lose its line: said too.
    makeDir(tmp / "sub/Two");
    ASSERT_EQ(::rmdir((tmp / "sub/.hidden").c_str()), 0);
    writeBytes(tmp / "sub/.hidden", "other\n");
    fs.setAttributes(tmp / "sub/Two", 6);
    fs.setAttributes(tmp / "sub/.hidden", attr::ReadOnly);
    const std::string text2 = errorText([&] { fs.rename(tmp / "sub/Two", tmp / "Two"); }, errc::PathFileAccessError);
    EXPECT_NE(text2.find(tmp / "sub/.hidden still lists the old name"), std::string::npos) << text2;
    EXPECT_EQ(readBytes(tmp / "sub/.hidden"), "other\nTwo\n");
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Two\n");
}

}  // namespace
}  // namespace quorvane
