// The file services' contract, run against this platform's implementation on real files.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "platform/PathSeparator.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::readBytes;
using test::writeBytes;

class FileSystemContract : public ::testing::Test {
protected:
    FileSystemContract() : services(makeCoreServices()), fs(*services.fileSystem) {}

    int errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const PlatformError& e) {
            EXPECT_FALSE(e.description().empty());
            return e.number();
        }
        return 0;
    }

    test::TempDir tmp;
    CoreServices services;
    FileSystem& fs;
};

TEST_F(FileSystemContract, RenameMovesAFolderWithItsContents) {
    test::makeDir(tmp / "a");
    writeBytes(tmp / "a" + std::string(1, kSeparator) + "f.txt", "x");
    fs.rename(tmp / "a", tmp / "b");
    EXPECT_FALSE(test::exists(tmp / "a"));
    EXPECT_EQ(readBytes(tmp / "b" + std::string(1, kSeparator) + "f.txt"), "x");
}

TEST_F(FileSystemContract, RenameNeverReplaces) {
    test::makeDir(tmp / "a");
    test::makeDir(tmp / "b");
    writeBytes(tmp / "f", "file");
    writeBytes(tmp / "g", "other");
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "a", tmp / "b"); }), errc::FileAlreadyExists);
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "f", tmp / "g"); }), errc::FileAlreadyExists);
    EXPECT_EQ(readBytes(tmp / "g"), "other");
    // Onto its own name: fails like any existing name, and nothing changes.
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "a", tmp / "a"); }), errc::FileAlreadyExists);
    EXPECT_TRUE(test::exists(tmp / "a"));
}

TEST_F(FileSystemContract, RenameOfMissingOrEmptyPathFails) {
    EXPECT_EQ(errorOf([&] { fs.rename(tmp / "missing", tmp / "x"); }), errc::FileNotFound);
    EXPECT_EQ(errorOf([&] { fs.rename("", tmp / "x"); }), errc::FileNotFound);
    EXPECT_FALSE(test::exists(tmp / "x"));
}

TEST_F(FileSystemContract, AttributesAreReplacedAsAWhole) {
    test::makeDir(tmp / "d");
    writeBytes(tmp / "f", "");
    for (const std::string& p : {tmp / "d", tmp / "f"}) {
        fs.setAttributes(p, attr::ReadOnly | attr::Archive);
        EXPECT_EQ(fs.attributes(p), attr::ReadOnly | attr::Archive) << p;
        fs.setAttributes(p, attr::Hidden | attr::System);
        EXPECT_EQ(fs.attributes(p), 6u) << p;
        fs.setAttributes(p, attr::Archive);
        EXPECT_EQ(fs.attributes(p), 32u) << p;
        fs.setAttributes(p, attr::System);
        EXPECT_EQ(fs.attributes(p), 4u) << p;
    }
}

TEST_F(FileSystemContract, AttributesOfMissingPathFail) {
    EXPECT_NE(errorOf([&] { fs.setAttributes(tmp / "missing", 6); }), 0);
    EXPECT_NE(errorOf([&] { fs.setAttributes("", 6); }), 0);
    EXPECT_NE(errorOf([&] { fs.attributes(tmp / "missing"); }), 0);
}

TEST_F(FileSystemContract, FileLengthOfFilesOnly) {
    writeBytes(tmp / "empty", "");
    writeBytes(tmp / "three", "abc");
    test::makeDir(tmp / "dir");
    EXPECT_EQ(fs.fileLength(tmp / "empty"), 0u);
    EXPECT_EQ(fs.fileLength(tmp / "three"), 3u);
    EXPECT_NE(errorOf([&] { fs.fileLength(tmp / "missing"); }), 0);
    EXPECT_NE(errorOf([&] { fs.fileLength(""); }), 0);
    EXPECT_NE(errorOf([&] { fs.fileLength(tmp / "dir"); }), 0);
}

TEST_F(FileSystemContract, DeleteFile) {
    writeBytes(tmp / "f", "x");
    fs.setAttributes(tmp / "f", attr::Hidden | attr::System);
    fs.deleteFile(tmp / "f");
    EXPECT_FALSE(test::exists(tmp / "f"));
    EXPECT_EQ(errorOf([&] { fs.deleteFile(tmp / "f"); }), errc::FileNotFound);
}

TEST_F(FileSystemContract, AReadOnlyFileIsNotDeleted) {
    writeBytes(tmp / "desktop.ini", "x");
    fs.setAttributes(tmp / "desktop.ini", attr::ReadOnly | attr::Hidden | attr::System);
    try {
        fs.deleteFile(tmp / "desktop.ini");
        ADD_FAILURE() << "deleted";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::PermissionDenied);
        EXPECT_EQ(e.description(), "Permission denied: " + tmp / "desktop.ini" + " is read-only");
    }
    EXPECT_EQ(readBytes(tmp / "desktop.ini"), "x");
    fs.setAttributes(tmp / "desktop.ini", attr::Archive);
    fs.deleteFile(tmp / "desktop.ini");
    EXPECT_FALSE(test::exists(tmp / "desktop.ini"));
}

TEST_F(FileSystemContract, NormalFileExistsSkipsHiddenAndSystemFiles) {
    writeBytes(tmp / "plain", "x");
    writeBytes(tmp / "hidden", "x");
    writeBytes(tmp / "system", "x");
    writeBytes(tmp / "archive", "x");
    fs.setAttributes(tmp / "hidden", attr::Hidden);
    fs.setAttributes(tmp / "system", attr::System);
    fs.setAttributes(tmp / "archive", attr::Archive | attr::ReadOnly);
    test::makeDir(tmp / "dir");
    EXPECT_TRUE(fs.normalFileExists(tmp / "plain"));
    EXPECT_TRUE(fs.normalFileExists(tmp / "archive"));
    EXPECT_FALSE(fs.normalFileExists(tmp / "hidden"));
    EXPECT_FALSE(fs.normalFileExists(tmp / "system"));
    EXPECT_FALSE(fs.normalFileExists(tmp / "dir"));
    EXPECT_FALSE(fs.normalFileExists(tmp / "missing"));
}

TEST_F(FileSystemContract, ReadLineHandlesEveryLineEnd) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"crlf", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"last line without end", "a\r\nb\r\nc", {"a", "b", "c"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"lone lf is part of the line", "a\nb\r\n", {"a\nb"}},
        {"empty lines", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"cr then crlf", "a\r\r\nb", {"a", "", "b"}},
        {"empty file", "", {}},
        {"single crlf", "\r\n", {""}},
    };
    for (const Case& c : cases) {
        writeBytes(tmp / "in", c.bytes);
        fs.openText(1, tmp / "in");
        std::vector<std::string> lines;
        while (!fs.atEnd(1)) lines.push_back(fs.readLine(1));
        EXPECT_EQ(errorOf([&] { fs.readLine(1); }), errc::InputPastEndOfFile) << c.name;
        fs.close(1);
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

TEST_F(FileSystemContract, LongLinesCrossTheReadBuffer) {
    const std::string big(200000, 'x');
    writeBytes(tmp / "in", big + "\r" + "\n" + "y");
    fs.openText(1, tmp / "in");
    EXPECT_EQ(fs.readLine(1), big);
    EXPECT_EQ(fs.readLine(1), "y");
    EXPECT_TRUE(fs.atEnd(1));
    fs.close(1);
}

TEST_F(FileSystemContract, SlotRules) {
    EXPECT_EQ(errorOf([&] { fs.openText(1, tmp / "missing"); }), errc::FileNotFound);
    writeBytes(tmp / "a", "");
    writeBytes(tmp / "b", "");
    fs.openText(1, tmp / "a");
    EXPECT_EQ(errorOf([&] { fs.openText(1, tmp / "b"); }), errc::FileAlreadyOpen);
    fs.close(1);
    fs.close(1);  // closing a free slot is harmless
    EXPECT_EQ(errorOf([&] { fs.readLine(1); }), errc::BadFileNameOrNumber);
    test::makeDir(tmp / "dir");
    EXPECT_NE(errorOf([&] { fs.openText(1, tmp / "dir"); }), 0);
    EXPECT_NE(errorOf([&] { fs.openText(1, tmp / "nofolder" + std::string(1, kSeparator) + "f"); }), 0);
}

TEST_F(FileSystemContract, WholeFilesAreReadAndReplacedInOneStep) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(fs.readFile(tmp / "target"), std::nullopt);
    fs.writeFile(tmp / "target", "new content");  // made when missing
    EXPECT_EQ(readBytes(tmp / "target"), "new content");
    EXPECT_EQ(fs.readFile(tmp / "target"), std::optional<std::string>("new content"));
    fs.writeFile(tmp / "target", "new");  // a shorter content leaves nothing of the longer one
    EXPECT_EQ(readBytes(tmp / "target"), "new");
    fs.writeFile(tmp / "target", "");
    EXPECT_EQ(fs.readFile(tmp / "target"), std::optional<std::string>(""));
    EXPECT_EQ(test::namesIn(tmp.path()), Names{"target"});  // no temporary file is left

    // A hidden file stays hidden; a read-only one is not written at all.
    fs.setAttributes(tmp / "target", attr::Hidden);
    fs.writeFile(tmp / "target", "hidden");
    EXPECT_EQ(fs.attributes(tmp / "target") & attr::Hidden, attr::Hidden);
    fs.setAttributes(tmp / "target", attr::ReadOnly);
    EXPECT_EQ(errorOf([&] { fs.writeFile(tmp / "target", "x"); }), errc::PermissionDenied);
    EXPECT_EQ(errorOf([&] { fs.checkWritableFile(tmp / "target"); }), errc::PermissionDenied);
    EXPECT_EQ(readBytes(tmp / "target"), "hidden");
    fs.setAttributes(tmp / "target", attr::Archive);
    EXPECT_NO_THROW(fs.checkWritableFile(tmp / "target"));
    EXPECT_NO_THROW(fs.checkWritableFile(tmp / "missing"));
    EXPECT_EQ(test::namesIn(tmp.path()), Names{"target"});
}

TEST_F(FileSystemContract, AFolderWhereAFileMustBeIsNamedAsOne) {
    test::makeDir(tmp / "l0g.ext");
    const std::string expected = "Path/File access error: " + tmp / "l0g.ext" + " is a folder, not a file";
    for (const auto& [name, call] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"read", [&] { fs.readFile(tmp / "l0g.ext"); }},
             {"write", [&] { fs.writeFile(tmp / "l0g.ext", "x"); }},
             {"check", [&] { fs.checkWritableFile(tmp / "l0g.ext"); }},
             {"delete", [&] { fs.deleteFile(tmp / "l0g.ext"); }},
         }) {
        try {
            call();
            ADD_FAILURE() << name << ": no error";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::PathFileAccessError) << name;
            EXPECT_EQ(e.description(), expected) << name;
        }
    }
    EXPECT_EQ(test::namesIn(tmp.path()), std::vector<std::string>{"l0g.ext"});
}

TEST_F(FileSystemContract, ARefusedRenameNamesTheObjectInTheWay) {
    test::makeDir(tmp / "a");
    test::makeDir(tmp / "b");
    try {
        fs.rename(tmp / "a", tmp / "b");
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.description(), "File already exists: " + tmp / "b");
    }
}

}  // namespace
}  // namespace quorvane
