// The list <-> text file routines on real files: line endings, bytes, and the rewrite that never
// leaves a half-written file behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "platform/PathSeparator.h"
#include "protect/ListFile.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;
using Items = std::vector<std::string>;

class ListFileTest : public ::testing::Test {
protected:
    Items load(Items items = {}) {
        LoadListFromFile(fs, messages, file, [&items](std::string&& line) { items.push_back(std::move(line)); });
        return items;
    }
    // What the folder holds besides the file and the probe: temporary files left behind.
    Items leftovers() {
        Items names;
        for (std::string& name : test::namesIn(tmp.path()))
            if (name != "l0g.ext" && name != "probe") names.push_back(std::move(name));
        return names;
    }
    // Slot 1 is free again: another routine can open it.
    void expectSlotFree() {
        writeBytes(tmp / "probe", "");
        EXPECT_NO_THROW(realFs.openText(1, tmp / "probe"));
        realFs.close(1);
    }

    test::TempDir tmp;
    CoreServices services = makeCoreServices();
    FileSystem& realFs = *services.fileSystem;
    FaultyFileSystem fs{realFs};
    test::RecordingMessages messages;
    const std::string file = tmp / "l0g.ext";
};

TEST_F(ListFileTest, LoadAppendsEveryLineAfterTheItemsAlreadyThere) {
    struct Case {
        const char* name;
        std::string bytes;
        Items lines;
    };
    const Case cases[] = {
        {"three lines", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"last line without CR LF", "a\r\nb\r\nc", {"a", "b", "c"}},
        {"empty line in between", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"only a line end", "\r\n", {""}},
        {"lone CR ends a line", "a\rb\r\n", {"a", "b"}},
        {"lone CR at the very end", "a\r", {"a"}},
        {"lone LF belongs to the line", "a\nb\r\nc\r\n", {"a\nb", "c"}},
        {"LF at the very end", "a\n", {"a\n"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(file, c.bytes);
        messages.pumps = 0;
        Items seenAtPump;
        Items items = {"kept"};
        messages.pump = [&] { seenAtPump.push_back(std::to_string(items.size())); };
        LoadListFromFile(fs, messages, file, [&items](std::string&& line) { items.push_back(std::move(line)); });
        messages.pump = nullptr;

        Items expected = {"kept"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(items, expected);
        // Events are processed once per line, after it is read and before it is appended.
        Items expectedAtPump;
        for (std::size_t i = 0; i < c.lines.size(); ++i) expectedAtPump.push_back(std::to_string(i + 1));
        EXPECT_EQ(seenAtPump, expectedAtPump);
        expectSlotFree();
    }
}

TEST_F(ListFileTest, LoadOfAMissingOrUnopenableFileGivesNothing) {
    EXPECT_EQ(load({"kept"}), Items{"kept"});
    EXPECT_EQ(messages.pumps, 0);
    expectSlotFree();

    writeBytes(file, "a\r\n");
    fs.failOn(FaultyFileSystem::Op::OpenText, 1, PlatformError(errc::PermissionDenied, "Permission denied"));
    EXPECT_EQ(load(), Items{});
    expectSlotFree();
}

TEST_F(ListFileTest, AReadFailureEndsTheLoadWithWhatWasRead) {
    writeBytes(file, "a\r\nb\r\nc\r\n");
    fs.failOn(FaultyFileSystem::Op::ReadLine, 2, PlatformError(errc::DeviceIoError, "Device I/O error"));
    EXPECT_EQ(load({"kept"}), (Items{"kept", "a"}));
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::ReadLine), 2);  // no retry, no endless loop
    expectSlotFree();

    fs.failOn(FaultyFileSystem::Op::AtEnd, 3, PlatformError(errc::DeviceIoError, "Device I/O error"));
    EXPECT_EQ(load(), (Items{"a", "b"}));
    expectSlotFree();
}

TEST_F(ListFileTest, SaveWritesEachItemAsOneCrLfLine) {
    struct Case {
        const char* name;
        std::string before;  // "" with `missing`: no file
        bool missing;
        Items items;
        std::string after;
    };
    const Case cases[] = {
        {"two items over a longer file", "x\r\ny\r\nz\r\n", false, {"a", "b"}, "a\r\nb\r\n"},
        {"created when missing", "", true, {"C:\\A"}, "C:\\A\r\n"},
        {"empty list leaves an empty file", "a\r\n", false, {}, ""},
        {"empty list on a missing file", "", true, {}, ""},
        {"empty items and duplicates", "q\r\n", false, {"a", "", "a"}, "a\r\n\r\na\r\n"},
        {"a lone LF inside an item comes back as read", "", true, {"a\nb"}, "a\nb\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file);
        if (!c.missing) writeBytes(file, c.before);
        EXPECT_TRUE(SaveListToFile(fs, c.items, file));
        EXPECT_EQ(readBytes(file), c.after);
        EXPECT_EQ(leftovers(), Items{});
        EXPECT_EQ(load(), c.items);  // and it reads back as the same list
        expectSlotFree();
    }
}

// Files left by a crash where an old or a fresh temporary file would be are never used: the save
// makes a fresh file of its own, and removes a temporary file of ours that nobody holds (a dead
// writer's); another name stays as it is. (Links planted there: file_system_posix_test.)
TEST_F(ListFileTest, SaveBesideStaleTemporaryFiles) {
    const std::string stale = "left over from a crash, much longer than the new content\r\n";
    writeBytes(file, "old\r\n");
    writeBytes(file + ".new", stale);
    writeBytes(tmp / ".l0g.ext.quorvane-0000000000000000", stale);
    EXPECT_TRUE(SaveListToFile(fs, {"new"}, file));
    EXPECT_EQ(readBytes(file), "new\r\n");
    EXPECT_EQ(readBytes(file + ".new"), stale);
    // The dead writer's file is one of the Linux file services' own names; the Windows ones name
    // their temporary files otherwise, and there it is no file of theirs.
    if (kSeparator == '/') {
        EXPECT_EQ(leftovers(), (Items{"l0g.ext.new"}));
    } else {
        EXPECT_EQ(leftovers(), (Items{".l0g.ext.quorvane-0000000000000000", "l0g.ext.new"}));
    }
}

// A failure at any step of the rewrite leaves the old file exactly as it was (or still absent)
// and no temporary file; the list is long enough that part of it has reached the disk.
TEST_F(ListFileTest, AFailedSaveKeepsTheOldFileWhole) {
    using Op = FaultyFileSystem::Op;
    Items items;
    for (int i = 0; i < 3000; ++i) items.push_back("/home/user/a folder with a long name/number " + std::to_string(i));
    struct Case {
        const char* name;
        Op op;
        int nth;
    };
    const Case cases[] = {
        {"the first item cannot be written in the file's encoding", Op::TextFileBytes, 1},
        {"an item far into the list cannot be", Op::TextFileBytes, 2500},
        {"the last item cannot be", Op::TextFileBytes, 3000},
        {"the disk is full", Op::WriteFile, 1},
    };
    const std::string before = "C:\\A\r\nC:\\B\r\nC:\\A\r\nno line end";
    for (const bool missing : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (missing ? ", no file before" : ", file before"));
            std::filesystem::remove(file);
            if (!missing) writeBytes(file, before);
            fs.failOn(c.op, c.nth);
            EXPECT_FALSE(SaveListToFile(fs, items, file));
            if (missing)
                EXPECT_FALSE(exists(file));
            else
                EXPECT_EQ(readBytes(file), before);
            EXPECT_EQ(leftovers(), Items{});
            expectSlotFree();
        }
    }
}

}  // namespace
}  // namespace quorvane
