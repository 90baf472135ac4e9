// The registry of a system without one: the two values that locate a system information program.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/FileSystem.h"
#include "platform/posix/Registry.h"
#include "support/FakeRegistry.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"
#include "layouts/SysInfo.h"

namespace quorvane {
namespace {

using test::TempDir;

constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

class RegistryPosixTest : public ::testing::Test {
protected:
    // An executable (or, with `executable` false, a plain) file `name` in the folder `folder` of the temp folder.
    std::string program(const std::string& folder, const std::string& name, bool executable = true) {
        std::filesystem::create_directories(tmp / folder);
        const std::string path = tmp / folder + "/" + name;
        test::writeBytes(path, "#!/bin/sh\nexit 0\n");
        std::filesystem::permissions(path, executable ? std::filesystem::perms(0755) : std::filesystem::perms(0644));
        return path;
    }

    std::string read(Registry& registry, const char* key, const char* name) {
        std::string value;
        EXPECT_TRUE(GetKeyValue(registry, reg::HKEY_LOCAL_MACHINE, key, name, value)) << key;
        return value;
    }

    TempDir tmp;
};

TEST_F(RegistryPosixTest, AnswersForAProgramOnTheSearchPath) {
    const std::string hardinfo = program("bin", "hardinfo");
    RegistryPosix registry("/nonexistent:" + tmp / "bin");
    EXPECT_EQ(read(registry, kPathKey, "PATH"), hardinfo);
    EXPECT_EQ(read(registry, kLocationKey, "MSINFO"), tmp / "bin");
    // Names are compared without regard to case, as the platform's registry does.
    EXPECT_EQ(read(registry, "software\\microsoft\\shared tools\\msinfo", "path"), hardinfo);
}

TEST_F(RegistryPosixTest, PrefersTheProgramsInTheirOrderAndSkipsWhatCannotRun) {
    program("a", "kinfocenter");
    program("a", "hardinfo2", false);  // not executable
    const std::string hardinfo = program("b", "hardinfo");
    program("c", "hardinfo2");
    EXPECT_EQ(RegistryPosix(tmp / "a" + ":" + tmp / "b").findProgram(), hardinfo);
    EXPECT_EQ(RegistryPosix(tmp / "a" + ":" + tmp / "b" + "::" + tmp / "c").findProgram(), tmp / "c/hardinfo2");
    EXPECT_EQ(RegistryPosix(tmp / "a").findProgram(), tmp / "a/kinfocenter");

    // Empty and relative entries name the current folder, from which nothing is started.
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(tmp / "a");
    EXPECT_EQ(RegistryPosix(":.:a:kinfocenter").findProgram(), std::nullopt);
    std::filesystem::current_path(before);
}

TEST_F(RegistryPosixTest, HasNoKeysWithoutAProgram) {
    program("bin", "something-else");
    RegistryPosix registry(tmp / "bin");
    for (const char* key : {kPathKey, kLocationKey}) {
        RegKey handle = 7;
        EXPECT_EQ(registry.openKey(reg::HKEY_LOCAL_MACHINE, key, reg::KEY_READ, handle), reg::ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(handle, 0u);
    }
    FileSystemPosix fs;
    test::RecordingLauncher launcher;
    test::RecordingMessages messages;
    StartSysInfo(registry, fs, launcher, messages, '/');
    EXPECT_TRUE(launcher.started.empty());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(RegistryPosixTest, BehavesLikeTheRegistryCalls) {
    const std::string hardinfo = program("bin", "hardinfo");
    RegistryPosix registry(tmp / "bin");
    RegKey key = 0;
    EXPECT_EQ(registry.openKey(reg::HKEY_LOCAL_MACHINE, kPathKey, 0x2003F, key), reg::ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.openKey(0x80000001, kPathKey, reg::KEY_READ, key), reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.openKey(reg::HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", reg::KEY_READ, key),
              reg::ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(registry.openKey(reg::HKEY_LOCAL_MACHINE, kPathKey, reg::KEY_QUERY_VALUE, key), reg::ERROR_SUCCESS);

    unsigned char small[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof small;
    EXPECT_EQ(registry.queryValue(key, "PATH", type, small, size), reg::ERROR_MORE_DATA);
    EXPECT_EQ(size, hardinfo.size() + 1);
    EXPECT_EQ(registry.queryValue(key, "MSINFO", type, small, size), reg::ERROR_FILE_NOT_FOUND);

    std::vector<unsigned char> data(size + 8, 'x');
    size = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(registry.queryValue(key, "PATH", type, data.data(), size), reg::ERROR_SUCCESS);
    EXPECT_EQ(type, reg::REG_SZ);
    EXPECT_EQ(size, hardinfo.size() + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data()), size), hardinfo + std::string(1, '\0'));
    EXPECT_EQ(data[size], 'x');  // nothing written past the value

    EXPECT_EQ(registry.closeKey(key), reg::ERROR_SUCCESS);
    EXPECT_NE(registry.closeKey(key), reg::ERROR_SUCCESS);
    size = static_cast<std::uint32_t>(data.size());
    EXPECT_NE(registry.queryValue(key, "PATH", type, data.data(), size), reg::ERROR_SUCCESS);
}

}  // namespace
}  // namespace quorvane
