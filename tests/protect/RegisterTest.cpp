// Hiding on the file system: the register's bytes, the attributes, and the mends that keep every
// hidden folder on record and the register whole whatever step fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "protect/ListFile.h"
#include "protect/Register.h"
#include "protect/RegisterLines.h"
#include "support/RegisterLineSplit.h"
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
using Op = FaultyFileSystem::Op;

class RegisterTest : public ::testing::Test {
protected:
    std::string folder(const std::string& name) {
        const std::string path = tmp / name;
        test::makeDir(path);
        return path;
    }
    void hide(const std::string& path) { hideAndRecord(fs, path, reg); }
    std::vector<std::string> lines() {
        std::vector<std::string> items;
        test::RecordingMessages messages;
        LoadListFromFile(realFs, messages, reg, [&items](std::string&& line) { items.push_back(std::move(line)); });
        return items;
    }
    // The register's bytes, or "<missing>".
    std::string registerBytes() { return exists(reg) ? readBytes(reg) : "<missing>"s; }
    std::string hiddenList() { return exists(tmp / ".hidden") ? readBytes(tmp / ".hidden") : "<missing>"s; }
    // Files in the folder besides the register and the hidden list: temporary files left behind.
    std::vector<std::string> leftovers() {
        std::vector<std::string> names;
        for (const std::string& name : test::namesIn(tmp.path()))
            if (name != "l0g.ext" && name != ".hidden" && !std::filesystem::is_directory(tmp / name))
                names.push_back(name);
        return names;
    }

    test::TempDir tmp;
    CoreServices services = makeCoreServices();
    FileSystem& realFs = *services.fileSystem;
    FaultyFileSystem fs{realFs};
    const std::string reg = tmp / "l0g.ext";
};

TEST_F(RegisterTest, OneHideCreatesTheRegisterWithOneLine) {
    const std::string secret = folder("Secret");
    hide(secret);
    EXPECT_EQ(readBytes(reg), secret + "\r\n");
    EXPECT_EQ(realFs.attributes(secret), 6u);
}

TEST_F(RegisterTest, HidesAppendInOrderAndKeepDuplicates) {
    const std::string a = folder("A");
    const std::string b = folder("B b");
    hide(a);
    hide(a);
    EXPECT_EQ(readBytes(reg), a + "\r\n" + a + "\r\n");
    hide(b);
    EXPECT_EQ(readBytes(reg), a + "\r\n" + a + "\r\n" + b + "\r\n");
    EXPECT_EQ(realFs.attributes(b), 6u);
}

TEST_F(RegisterTest, HiddenAndSystemReplaceEveryOtherAttribute) {
    const std::string secret = folder("Secret");
    realFs.setAttributes(secret, attr::ReadOnly | attr::Archive);
    hide(secret);
    EXPECT_EQ(realFs.attributes(secret), 6u);
}

TEST_F(RegisterTest, ALastLineWithoutItsLineEndGetsOneFirst) {
    const std::string p = folder("P");
    struct Case {
        const char* name;
        std::string before;
        std::string after;  // what follows `before`
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"ends with CR LF", "a\r\n", p + "\r\n", {"a", p}},
        {"empty file", "", p + "\r\n", {p}},
        {"last line cut short", "a\r\nb", "\r\n" + p + "\r\n", {"a", "b", p}},
        {"ends with a lone LF", "a\n", "\r\n" + p + "\r\n", {"a\n", p}},
        {"only a lone LF", "\n", "\r\n" + p + "\r\n", {"\n", p}},
        {"ends with a lone CR", "a\r", p + "\r\n", {"a", p}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(reg, c.before);
        appendToRegister(fs, reg, p);
        EXPECT_EQ(readBytes(reg), c.before + c.after);
        EXPECT_EQ(lines(), c.lines);
    }
}

// Whatever step fails, the register is byte for byte what it was and the folder keeps its
// attributes (and its parent's .hidden list) as they were; the error goes on with its number.
TEST_F(RegisterTest, AFailingStepChangesNothing) {
    struct Case {
        const char* name;
        Op op;
        int nth;
        bool withRegister;  // an existing register "a\r\nb" (no final line end) or none
    };
    const Case cases[] = {
        {"attributes cannot be read", Op::Attributes, 1, true},
        {"entry cannot be put in the register's encoding", Op::TextFileBytes, 1, true},
        {"register cannot be read", Op::ReadFile, 1, true},
        {"register cannot be replaced", Op::WriteFile, 1, true},
        {"register cannot be created", Op::WriteFile, 1, false},
        {"attributes cannot be set", Op::SetAttributes, 1, true},
        {"attributes cannot be set, new register", Op::SetAttributes, 1, false},
    };
    const std::string secret = folder("Secret");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(reg);
        if (c.withRegister) writeBytes(reg, "a\r\nb");
        writeBytes(tmp / ".hidden", "other\n");
        realFs.setAttributes(secret, attr::ReadOnly | attr::Archive);
        const std::uint32_t attributesBefore = realFs.attributes(secret);  // as far as the platform keeps them
        const std::string before = registerBytes();

        fs.failOn(c.op, c.nth, PlatformError(errc::DiskFull, "Disk full"));
        try {
            hide(secret);
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.number(), errc::DiskFull);
            EXPECT_EQ(error.description(), "Disk full");  // nothing is left to report
        }
        EXPECT_EQ(registerBytes(), before);
        EXPECT_EQ(realFs.attributes(secret), attributesBefore);
        EXPECT_EQ(hiddenList(), "other\n");
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        EXPECT_NO_THROW(hide(secret));  // nothing is left open or half done
        EXPECT_EQ(lines().back(), secret);
    }
}

// The entry is on disk before the folder's attributes change: stopped when it sets them, the
// program leaves the entry of a folder that is still visible.
TEST_F(RegisterTest, TheEntryIsRecordedBeforeTheFolderIsHidden) {
    const std::string secret = folder("Secret");
    writeBytes(reg, "a\r\n");
    fs.lifeline.stopAt(5);  // looked at, encoded, read, written: the fifth call sets the attributes
    EXPECT_THROW(hide(secret), PlatformError);
    EXPECT_EQ(fs.calls(Op::SetAttributes), 1);
    EXPECT_EQ(readBytes(reg), "a\r\n" + secret + "\r\n");
    EXPECT_EQ(realFs.attributes(secret), 0u);
}

// When the attributes cannot be set and the entry cannot be taken out again either, the error says
// what is left and where; a folder that may be hidden keeps its entry whatever happens.
TEST_F(RegisterTest, WhenTheEntryCannotBeTakenOutTheErrorSaysSo) {
    struct Case {
        const char* name;
        Op op;  // its `nth` call fails, after the attributes did
        int nth;
        bool withRegister;
        std::string message;  // after "Disk full\r\n"
    };
    const std::string secret = tmp / "Secret";
    const std::string notHidden = "The folder is not hidden, but its entry stays in ";
    const Case cases[] = {
        {"register cannot be read again", Op::ReadFile, 2, true, notHidden},
        {"register cannot be put back", Op::WriteFile, 2, true, notHidden},
        {"new register cannot be removed", Op::DeleteFile, 1, false, notHidden},
        {"folder cannot be looked at", Op::Attributes, 2, true, "The folder may be hidden; its entry stays in "},
    };
    folder("Secret");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(reg);
        if (c.withRegister) writeBytes(reg, "a\r\n");
        fs.failOn(Op::SetAttributes, 1, PlatformError(errc::DiskFull, "Disk full"));
        fs.failOn(c.op, c.nth, PlatformError(errc::DeviceIoError, "Device I/O error"));
        try {
            hide(secret);
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.number(), errc::DiskFull);
            EXPECT_EQ(error.description(), "Disk full\r\n" + c.message + reg + ": " + secret);
        }
        EXPECT_EQ(readBytes(reg), (c.withRegister ? "a\r\n"s : ""s) + secret + "\r\n");
        EXPECT_EQ(realFs.attributes(secret), 0u);
    }
}

// The program stops at every call in turn (nothing after it runs, no rollback either); what a
// fresh start finds on disk is the register as before or as after, never a part of a line, and
// never a hidden folder without its entry.
TEST_F(RegisterTest, StoppedAtAnyCallTheRegisterIsWholeAndAHiddenFolderRecorded) {
    for (const std::optional<std::string>& start :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>("a\r\nb")}) {
        bool completed = false;
        for (int call = 1; !completed; ++call) {
            SCOPED_TRACE("register " + start.value_or("<missing>") + ", stopped at call " + std::to_string(call));
            const std::string secret = folder("Secret" + std::to_string(call));
            std::filesystem::remove(reg);
            if (start) writeBytes(reg, *start);
            const std::string before = registerBytes();
            const std::string after =
                (start && *start == "a\r\nb" ? "a\r\nb\r\n"s : start.value_or("")) + secret + "\r\n";
            {
                test::FaultyFileSystem dying{realFs};
                dying.lifeline.stopAt(call);
                try {
                    hideAndRecord(dying, secret, reg);
                    completed = true;
                } catch (const PlatformError&) {
                }
            }
            const CoreServices freshStart = makeCoreServices();
            const std::string now = registerBytes();
            EXPECT_TRUE(now == before || now == after) << now;
            if (freshStart.fileSystem->attributes(secret) & attr::Hidden) {
                EXPECT_EQ(now, after);
            }
            EXPECT_EQ(leftovers(), std::vector<std::string>{});
            if (completed) {
                EXPECT_EQ(now, after);
            }
            ASSERT_LT(call, 20) << "the hide never completes";
        }
    }
}

// The list window's "Show Folder" takes exactly the chosen line out of the register as it is on
// disk then; lines the list does not show (a load cut short, a hide by another copy of the
// program) and every other byte stay.
TEST_F(RegisterTest, RemovingAnEntryTakesExactlyItsLineFromTheRegisterOnDisk) {
    struct Case {
        const char* name;
        std::string before;
        std::string entry;
        std::size_t row;  // where the list showed it
        bool removed;
        std::string after;
    };
    const Case cases[] = {
        {"the third of three", "A\r\nB\r\nA\r\n", "A", 2, true, "A\r\nB\r\n"},
        {"the first of two equal lines", "A\r\nB\r\nA\r\n", "A", 0, true, "B\r\nA\r\n"},
        {"lines after those the list shows stay", "A\r\nB\r\nC\r\nD\r\n", "A", 0, true, "B\r\nC\r\nD\r\n"},
        {"a line added meanwhile stays", "A\r\nB\r\nnew\r\n", "B", 1, true, "A\r\nnew\r\n"},
        {"a line moved up meanwhile is found", "B\r\nA\r\n", "A", 2, true, "B\r\n"},
        {"the nearest of equal lines goes", "A\r\nx\r\ny\r\nA\r\nA\r\n", "A", 2, true, "A\r\nx\r\ny\r\nA\r\n"},
        {"a last line without its line end", "A\r\nB", "B", 1, true, "A\r\n"},
        {"other line ends kept byte for byte", "x\ny\rA\r\nz", "A", 1, true, "x\ny\rz"},
        {"a line ended by a lone CR", "A\rB\r\n", "A", 0, true, "B\r\n"},
        // The lone CR before and the LF after the line would read as one CR LF: the line before
        // keeps an end of its own and the line after its LF.
        {"a lone CR before and an LF after do not fuse", "a\rA\r\n\nb\r\n", "A", 1, true, "a\r\n\nb\r\n"},
        {"an entry no longer there", "A\r\nB\r\n", "C", 0, false, "A\r\nB\r\n"},
        {"an entry that is only part of a line", "AB\r\n", "A", 0, false, "AB\r\n"},
        {"an empty register", "", "A", 0, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(reg, c.before);
        EXPECT_EQ(removeFromRegister(fs, reg, c.entry, c.row), c.removed);
        EXPECT_EQ(readBytes(reg), c.after);
    }
    std::filesystem::remove(reg);
    EXPECT_FALSE(removeFromRegister(fs, reg, "A", 0));
    EXPECT_FALSE(exists(reg));
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(RegisterTest, ARemovalThatCannotBeWrittenLeavesTheRegister) {
    for (const Op op : {Op::TextFileBytes, Op::ReadFile, Op::WriteFile}) {
        SCOPED_TRACE(static_cast<int>(op));
        writeBytes(reg, "A\r\nB\r\n");
        fs.failOn(op, 1, PlatformError(errc::DiskFull, "Disk full"));
        EXPECT_FALSE(removeFromRegister(fs, reg, "A", 0));
        EXPECT_EQ(readBytes(reg), "A\r\nB\r\n");
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
    }
}

// An append taken back leaves the register exactly as before; when another copy of the program
// added a line meanwhile, only the appended line goes.
TEST_F(RegisterTest, AnAppendTakenBackLeavesWhatOthersAdded) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::string meanwhile;  // appended by someone else after ours
        std::optional<std::string> after;
    };
    const Case cases[] = {
        {"no register before", std::nullopt, "", std::nullopt},
        {"an empty register", "", "", ""},
        {"a last line without its line end", "a\r\nb", "", "a\r\nb"},
        {"a line added meanwhile", "a\r\nb", "other\r\n", "a\r\nb\r\nother\r\n"},
        {"our entry added again meanwhile", "a\r\n", "P\r\n", "a\r\nP\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(reg);
        if (c.before) writeBytes(reg, *c.before);
        const RegisterAppend append = appendToRegister(fs, reg, "P");
        if (!c.meanwhile.empty()) writeBytes(reg, readBytes(reg) + c.meanwhile);
        undoAppend(fs, reg, append);
        EXPECT_EQ(exists(reg) ? std::optional<std::string>(readBytes(reg)) : std::nullopt, c.after);
    }
}

TEST_F(RegisterTest, APathWithALineBreakIsRefusedBeforeAnythingChanges) {
    writeBytes(reg, "a\r\n");
    for (const std::string& name : {"Se\ncret"s, "Se\rcret"s, "Secret\r\n"s, "\n"s}) {
        SCOPED_TRACE(name);
        const std::string odd = tmp / name;
        try {
            test::makeDir(odd);  // Linux takes such a name; Windows has none
        } catch (const std::exception&) {
        }
        try {
            hide(odd);
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.number(), errc::InvalidPathText);
            EXPECT_EQ(error.description().rfind("Invalid path text", 0), 0u) << error.description();
        }
        EXPECT_EQ(readBytes(reg), "a\r\n");
        if (exists(odd)) {
            EXPECT_EQ(realFs.attributes(odd), 0u);
        }
    }
    EXPECT_EQ(fs.calls(Op::SetAttributes), 0);
    EXPECT_EQ(fs.calls(Op::OpenText), 0);
    EXPECT_FALSE(exists(tmp / ".hidden"));
}

TEST_F(RegisterTest, AMissingOrEmptyPathFailsAndLeavesTheRegister) {
    for (const std::string& path : {tmp / "Gone"s, ""s}) {
        SCOPED_TRACE(path);
        for (const bool withRegister : {false, true}) {
            std::filesystem::remove(reg);
            if (withRegister) writeBytes(reg, "a\r\n");
            const std::string before = registerBytes();
            try {
                hide(path);
                ADD_FAILURE() << "no error";
            } catch (const PlatformError& error) {
                EXPECT_EQ(error.number(), errc::FileNotFound);
            }
            EXPECT_EQ(registerBytes(), before);
        }
    }
}

}  // namespace
}  // namespace quorvane

namespace quorvane {
namespace {

using testing_support::splitRegisterLines;

std::vector<std::string> linesOf(const RegisterLines& lines) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < lines.size(); ++i) result.push_back(lines.text(i));
    return result;
}

// Every text of up to seven bytes from "a", CR and LF: the block splits as the line reader does,
// and taking out any one line leaves bytes whose lines are exactly the others, whichever line ends
// stand around it.
TEST(RegisterLinesTest, RemovingAnyLineLeavesEveryOtherLineReadingAsBefore) {
    const std::string alphabet = "a\r\n";
    std::vector<std::string> texts = {""};
    for (std::size_t length = 1, from = 0; length <= 7; ++length) {
        const std::size_t to = texts.size();
        for (std::size_t i = from; i < to; ++i)
            for (const char c : alphabet) texts.push_back(texts[i] + c);
        from = to;
    }
    for (const std::string& bytes : texts) {
        const std::vector<std::string> expected = splitRegisterLines(bytes);
        const RegisterLines whole(bytes);
        ASSERT_EQ(linesOf(whole), expected) << testing::PrintToString(bytes);
        for (std::size_t row = 0; row < expected.size(); ++row) {
            std::vector<std::string> rest = expected;
            rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(row));
            RegisterLines lines(bytes);
            lines.remove(row);
            ASSERT_EQ(linesOf(lines), rest) << testing::PrintToString(bytes) << " less line " << row;
            ASSERT_EQ(splitRegisterLines(lines.bytes()), rest) << testing::PrintToString(bytes) << " less line " << row;
            ASSERT_LE(lines.bytes().size(), bytes.size() - expected[row].size());
        }
    }
}

TEST(RegisterLinesTest, BlocksAppendedKeepTheirOwnLines) {
    RegisterLines lines("a\r\nb", [](std::string_view bytes) { return "<" + std::string(bytes) + ">"; });
    lines.append(RegisterLines("c\r\n\r\n"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(linesOf(lines), (std::vector<std::string>{"<a>", "<b>", "<c>", "<>"}));
    EXPECT_EQ(lines.line(1), "b");
    lines.remove(3);
    lines.remove(0);
    EXPECT_EQ(linesOf(lines), (std::vector<std::string>{"<b>", "<c>"}));
}

// Several entries at once (the folders found hidden): all of them in one replacement, or none.
class AppendAllTest : public RegisterTest {};

TEST_F(AppendAllTest, AllEntriesOrNone) {
    struct Case {
        const char* name;
        std::string before;  // "<missing>": no register
        std::vector<std::string> entries;
        std::string after;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"a new register", "<missing>", {"A", "B"}, "A\r\nB\r\n", false},
        {"after the lines there", "X\r\n", {"A"}, "X\r\nA\r\n", false},
        {"a last line without its end", "X", {"A", "B"}, "X\r\nA\r\nB\r\n", false},
        {"a lone CR ends a line", "X\r", {"A"}, "X\rA\r\n", false},
        {"nothing to add", "X", {}, "X\r\n", false},
        {"one entry with a line break", "X\r\n", {"A", "B\nC"}, "X\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(std::filesystem::path(reg));
        if (c.before != "<missing>") writeBytes(reg, c.before);
        if (c.refused) {
            EXPECT_THROW(appendAllToRegister(fs, reg, c.entries), PlatformError);
        } else {
            appendAllToRegister(fs, reg, c.entries);
        }
        EXPECT_EQ(registerBytes(), c.after);
    }
}

TEST_F(AppendAllTest, AFailedReplacementLeavesTheRegisterAsItWas) {
    writeBytes(reg, "X\r\n");
    fs.failOn(Op::WriteFile, 1, PlatformError(errc::DiskFull, "Disk full"));
    EXPECT_THROW(appendAllToRegister(fs, reg, {"A", "B"}), PlatformError);
    EXPECT_EQ(registerBytes(), "X\r\n");
    EXPECT_TRUE(leftovers().empty());
}

}  // namespace
}  // namespace quorvane
