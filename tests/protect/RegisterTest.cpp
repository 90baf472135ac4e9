// Hiding on the file system: the register's bytes, the attributes, and the mends that keep every
// hidden folder on record and the register whole whatever step fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/CoreServices.h"
#include "platform/Error.h"
#include "protect/ListFile.h"
#include "protect/Register.h"
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
        {"register length cannot be read", Op::FileLength, 1, true},
        {"register end cannot be read", Op::ReadTail, 1, true},
        {"attributes cannot be set", Op::SetAttributes, 1, true},
        {"register cannot be opened", Op::OpenText, 1, true},
        {"register cannot be created", Op::OpenText, 1, false},
        {"missing line end cannot be written", Op::WriteLine, 1, true},
        {"entry cannot be written", Op::WriteLine, 2, true},
        {"entry cannot be written to a new register", Op::WriteLine, 1, false},
        {"disk full at the end", Op::Commit, 1, true},
        {"disk full at the end of a new register", Op::Commit, 1, false},
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
        }
        EXPECT_EQ(registerBytes(), before);
        EXPECT_EQ(realFs.attributes(secret), attributesBefore);
        EXPECT_EQ(hiddenList(), "other\n");
        EXPECT_NO_THROW(hide(secret));  // nothing is left open or half done
        EXPECT_EQ(lines().back(), secret);
    }
}

TEST_F(RegisterTest, WhenTheAttributesCannotBePutBackTheErrorSaysSo) {
    const std::string secret = folder("Secret");
    fs.failOn(Op::OpenText, 1, PlatformError(errc::PermissionDenied, "Permission denied"));
    fs.failOn(Op::SetAttributes, 2, PlatformError(errc::DeviceIoError, "Device I/O error"));
    try {
        hide(secret);
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), errc::PermissionDenied);
        EXPECT_EQ(error.description(),
                  "Permission denied\r\nThe folder stays hidden and is not in the list: " + secret);
    }
    EXPECT_FALSE(exists(reg));
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
