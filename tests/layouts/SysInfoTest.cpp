// Reading the registry values that locate the system information program, and starting it.
#include <gtest/gtest.h>

#include "platform/posix/FileSystem.h"
#include "platform/PathSeparator.h"
#include "platform/posix/ProgramLauncher.h"
#include "support/FakeRegistry.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"
#include "layouts/SysInfo.h"

namespace quorvane {
namespace {

using test::FakeRegistry;
using test::RecordingLauncher;
using test::RecordingMessages;
using test::TempDir;

constexpr const char* kKey = "SOFTWARE\\Vendor\\Tool";

struct ReadCase {
    const char* name;
    std::optional<FakeRegistry::Value> stored;  // none: the key does not exist
    bool readOnly;                              // the key refuses full access
    const char* valueName;
    bool result;
    std::string value;  // after the call; the caller put "before" in
};

TEST(GetKeyValueTest, ReadsWhatTheValueHolds) {
    const std::vector<ReadCase> cases = {
        {"string with its NUL", FakeRegistry::text("C:\\Tools\\info.exe"), false, "PATH", true, "C:\\Tools\\info.exe"},
        {"string without NUL", FakeRegistry::text("C:\\Tools\\info.exe", false), false, "PATH", true,
         "C:\\Tools\\info.exe"},
        {"string with NULs after its end", FakeRegistry::text(std::string("C:\\a.exe\0\0", 10)), false, "PATH", true,
         "C:\\a.exe"},
        {"empty string", FakeRegistry::text(""), false, "PATH", true, ""},
        {"one character without NUL", FakeRegistry::text("x", false), false, "PATH", true, "x"},
        {"DWORD", FakeRegistry::dword(0x0001E240), false, "PATH", true, "123456"},
        {"largest DWORD", FakeRegistry::dword(0xFFFFFFFF), false, "PATH", true, "4294967295"},
        {"other type keeps the caller's text", FakeRegistry::Value{3, "\x01\x02", std::nullopt}, false, "PATH", true,
         "before"},
        {"missing value", FakeRegistry::text("x"), false, "Other", false, ""},
        {"missing key", std::nullopt, false, "PATH", false, ""},
        {"longer than the buffer", FakeRegistry::text(std::string(1024, 'a')), false, "PATH", false, ""},
        {"exactly the buffer without NUL", FakeRegistry::text(std::string(1024, 'a'), false), false, "PATH", true,
         std::string(1024, 'a')},
        {"key refusing full access", FakeRegistry::text("C:\\info.exe"), true, "PATH", true, "C:\\info.exe"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        if (c.stored) {
            registry.put(kKey, "PATH", *c.stored);
            registry.keys[kKey].readOnly = c.readOnly;
        }
        std::string value = "before";
        EXPECT_EQ(GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kKey, c.valueName, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_TRUE(registry.open.empty()) << "a key was left open";
        // Only handles that were opened are closed.
        EXPECT_EQ(registry.closes.size(), c.stored ? 1u : 0u);
    }
}

TEST(GetKeyValueTest, AValueOfSizeZeroFailsToTheCallerAndClosesTheKey) {
    FakeRegistry registry;
    registry.put(kKey, "PATH", FakeRegistry::Value{reg::REG_SZ, "", std::nullopt});
    std::string value = "before";
    try {
        GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kKey, "PATH", value);
        ADD_FAILURE() << "no failure";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), 5);
        EXPECT_EQ(error.description(), "Invalid procedure call or argument");
    }
    EXPECT_TRUE(registry.open.empty());
    EXPECT_EQ(registry.closes.size(), 1u);
}

TEST(GetKeyValueTest, ASizeReportedBeyondTheBufferReadsOnlyTheBuffer) {
    FakeRegistry registry;
    registry.put(kKey, "PATH", FakeRegistry::Value{reg::REG_SZ, "abc", 5000});
    std::string value;
    EXPECT_TRUE(GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kKey, "PATH", value));
    EXPECT_EQ(value, "abc");
}

TEST(GetKeyValueTest, OpensForReadingOnly) {
    FakeRegistry registry;
    registry.put(kKey, "PATH", FakeRegistry::text("x"));
    std::string value;
    GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, kKey, "PATH", value);
    ASSERT_EQ(registry.accesses.size(), 1u);
    EXPECT_EQ(registry.accesses[0] & ~reg::KEY_READ, 0u);
}

// The system information button over a fake registry and the real file system.
class StartSysInfoTest : public ::testing::Test {
protected:
    void run() { StartSysInfo(registry, fs, launcher, messages, kSeparator); }
    void expectUnavailable() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(messages.boxes[0].style, 0);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
    }
    void registerPath(const std::string& path) {
        registry.put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", FakeRegistry::text(path));
    }
    void registerFolder(const std::string& folder) {
        registry.put("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", FakeRegistry::text(folder));
    }

    TempDir tmp;
    FakeRegistry registry;
    FileSystemPosix fs;
    RecordingLauncher launcher;
    RecordingMessages messages;
};

TEST_F(StartSysInfoTest, StartsTheProgramOfTheFirstLocation) {
    registerPath("/opt/info/sysinfo");
    registerFolder(tmp.path());
    test::writeBytes(tmp / "MSINFO32.EXE", "");
    run();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/info/sysinfo"});
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(registry.open.empty());
}

TEST_F(StartSysInfoTest, StartsTheProgramInTheFolderOfTheSecondLocation) {
    registerFolder(tmp.path());
    test::writeBytes(tmp / "MSINFO32.EXE", "");
    run();
    EXPECT_EQ(launcher.started, std::vector<std::string>{tmp.path() + "/MSINFO32.EXE"});
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(registry.open.empty());
}

TEST_F(StartSysInfoTest, TheSecondLocationWithoutItsProgramIsUnavailable) {
    registerFolder(tmp.path());
    test::makeDir(tmp / "MSINFO32.EXE");  // a folder of that name is no program
    run();
    EXPECT_TRUE(launcher.started.empty());
    expectUnavailable();
}

TEST_F(StartSysInfoTest, NeitherLocationIsUnavailable) {
    run();
    EXPECT_TRUE(launcher.started.empty());
    expectUnavailable();
    EXPECT_EQ(registry.accesses.size(), 2u);  // both were looked for
}

TEST_F(StartSysInfoTest, AProgramThatCannotBeStartedIsUnavailable) {
    registerPath("/opt/info/sysinfo");
    launcher.failure = errorFor(errc::FileNotFound, "/opt/info/sysinfo");
    run();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/info/sysinfo"});
    expectUnavailable();
}

TEST_F(StartSysInfoTest, AMissingProgramAtThePathIsUnavailableWithTheRealLauncher) {
    registerPath(tmp / "no-such-program");
    ProgramLauncherPosix real;
    StartSysInfo(registry, fs, real, messages, kSeparator);
    expectUnavailable();
}

TEST_F(StartSysInfoTest, ABrokenFirstValueEndsInTheMessageWithoutTryingTheSecond) {
    registry.put("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                 FakeRegistry::Value{reg::REG_SZ, "", std::nullopt});  // size 0
    registerFolder(tmp.path());
    test::writeBytes(tmp / "MSINFO32.EXE", "");
    run();
    EXPECT_TRUE(launcher.started.empty());
    expectUnavailable();
    EXPECT_TRUE(registry.open.empty());
}

TEST_F(StartSysInfoTest, ReadsAKeyThatRefusesFullAccess) {
    registerPath("/opt/info/sysinfo");
    registry.keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"].readOnly = true;
    run();
    EXPECT_EQ(launcher.started, std::vector<std::string>{"/opt/info/sysinfo"});
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace quorvane
