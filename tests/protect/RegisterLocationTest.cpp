#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "protect/RegisterLocation.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

struct LocationCase {
    const char* name;
    std::string applicationDirectory;
    bool writable;
    std::optional<std::string> userDataFolder;
    std::string expected;
};

const InstallFacts kSystem{{"/usr/bin", "/usr/local/bin"}, true, std::nullopt};

TEST(RegisterLocation, PortableCopiesKeepTheirRegisterInstalledProgramsUseTheUsersDataFolder) {
    const std::string data = "/home/ann/.local/share/quorvane";
    const LocationCase cases[] = {
        {"portable copy in the user's folder", "/home/ann/tools/quorvane", true, data, "/home/ann/tools/quorvane"},
        {"installed in the prefix's bin", "/usr/bin", true, data, data},
        {"prefix bin with a trailing slash", "/usr/local/bin/", true, data, data},
        {"a folder the user cannot write", "/opt/quorvane", false, data, data},
        {"a folder that only looks like bin", "/usr/bin2", true, data, "/usr/bin2"},
        {"installed, but no data folder is known", "/usr/bin", true, std::nullopt, "/usr/bin"},
    };
    for (const LocationCase& c : cases) {
        InstallFacts facts = kSystem;
        facts.applicationDirectoryWritable = c.writable;
        facts.userDataFolder = c.userDataFolder;
        EXPECT_EQ(RegisterFolder(c.applicationDirectory, facts), c.expected) << c.name;
    }
}

// Windows programs are installed each in a folder of its own under Program Files, whose names the
// file system compares without regard to case.
TEST(RegisterLocation, ProgramsAnywhereUnderAProgramTreeAreInstalled) {
    const std::string data = "C:\\Users\\ann\\AppData\\Roaming\\Quorvane";
    struct Case {
        const char* name;
        std::string applicationDirectory;
        bool ignoreCase;
        std::string expected;
    } const cases[] = {
        {"a folder of its own under Program Files", "C:\\Program Files\\Quorvane", true, data},
        {"deeper under Program Files (x86)", "C:\\Program Files (x86)\\Tools\\Quorvane", true, data},
        {"Program Files itself", "C:\\Program Files\\", true, data},
        {"other case, names that ignore case", "c:\\PROGRAM FILES\\quorvane", true, data},
        {"other case, names that keep case", "c:\\program files\\quorvane", false, "c:\\program files\\quorvane"},
        {"a sibling that only starts alike", "C:\\Program Files2\\Quorvane", true, "C:\\Program Files2\\Quorvane"},
        {"a portable copy on the desktop", "C:\\Users\\ann\\Desktop\\Quorvane", true,
         "C:\\Users\\ann\\Desktop\\Quorvane"},
        {"a drive root", "D:\\", true, "D:\\"},
    };
    for (const Case& c : cases) {
        InstallFacts facts;
        facts.systemProgramTrees = {"C:\\Program Files", "C:\\Program Files (x86)\\"};
        facts.namesIgnoreCase = c.ignoreCase;
        facts.userDataFolder = data;
        EXPECT_EQ(RegisterFolder(c.applicationDirectory, facts), c.expected) << c.name;
    }
}

TEST(RegisterLocation, UserDataFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        const char* name;
        const char* xdg;
        const char* home;
        std::optional<std::string> expected;
    } const cases[] = {
        {"XDG_DATA_HOME set", "/data/ann", "/home/ann", "/data/ann/quorvane"},
        {"XDG_DATA_HOME with trailing slash", "/data/ann/", "/home/ann", "/data/ann/quorvane"},
        {"XDG_DATA_HOME unset", nullptr, "/home/ann", "/home/ann/.local/share/quorvane"},
        {"XDG_DATA_HOME empty", "", "/home/ann", "/home/ann/.local/share/quorvane"},
        {"relative XDG_DATA_HOME is ignored", "data", "/home/ann", "/home/ann/.local/share/quorvane"},
        {"home is the root", nullptr, "/", "/.local/share/quorvane"},
        {"no home at all", nullptr, nullptr, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(userDataFolderFrom(c.xdg, c.home), c.expected) << c.name;
}

// A register beside the program whose folder is gone (renamed away by a lock) must not be made
// again: only the user's data folder is made on the first hide.
TEST(RegisterLocation, OnlyTheUsersDataFolderIsMadeWhenMissing) {
    const std::string data = "/home/ann/.local/share/quorvane";
    const struct Case {
        const char* name;
        std::string registerFolder;
        std::optional<std::string> userDataFolder;
        bool made;
    } cases[] = {
        {"the user's data folder", data, data, true},
        {"the same with a trailing slash", data + "/", data, true},
        {"the program's own folder", "/home/ann/tools/quorvane", data, false},
        {"no data folder known", data, std::nullopt, false},
    };
    for (const Case& c : cases) {
        InstallFacts facts = kSystem;
        facts.userDataFolder = c.userDataFolder;
        EXPECT_EQ(RegisterFolderIsMadeWhenMissing(c.registerFolder, facts), c.made) << c.name;
    }
}

// The facts of the real machine: environment, the folder's write access and the install prefix.
TEST(RegisterLocation, FactsOfThisMachineDecideForAPortableFolderAndForTheSystemBin) {
    const test::TempDir home;
    const test::TempDir portable;
    ASSERT_EQ(::setenv("HOME", home.path().c_str(), 1), 0);
    ASSERT_EQ(::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1), 0);

    EXPECT_EQ(RegisterFolder(portable.path(), installFactsFor(portable.path())), portable.path());
    EXPECT_EQ(RegisterFolder("/usr/bin", installFactsFor("/usr/bin")), home / "data" + "/quorvane");

    ASSERT_EQ(::unsetenv("XDG_DATA_HOME"), 0);
    EXPECT_EQ(RegisterFolder("/usr/bin", installFactsFor("/usr/bin")), home.path() + "/.local/share/quorvane");
}

}  // namespace
}  // namespace quorvane
