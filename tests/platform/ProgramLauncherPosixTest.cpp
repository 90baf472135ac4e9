// Starting another program: detached, without waiting, reaped when it ends.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/Error.h"
#include "platform/posix/ProgramLauncher.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using test::TempDir;

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::string script(const TempDir& tmp, const std::string& name, const std::string& body, int mode = 0755) {
    const std::string path = tmp / name;
    test::writeBytes(path, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms(mode));
    return path;
}

TEST(ProgramLauncherPosixTest, StartsDetachedWithoutWaitingAndLeavesNoZombie) {
    TempDir tmp;
    const std::string out = tmp / "out";
    // The script tells its process id and its input, then goes on for a while.
    const std::string path = script(tmp, "info",
                                    "readlink /proc/$$/fd/0 > '" + out +
                                        ".in'\n"
                                        "echo $$ > '" +
                                        out + ".tmp' && mv '" + out + ".tmp' '" + out +
                                        "'\n"
                                        "sleep 1\n");
    ProgramLauncherPosix launcher;
    const auto before = std::chrono::steady_clock::now();
    launcher.start(path);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);  // the script runs for a second

    ASSERT_TRUE(waitFor([&] { return test::exists(out); }));
    const pid_t pid = std::stoi(test::readBytes(out));
    EXPECT_EQ(::getsid(pid), pid) << "the program leads a session of its own";
    EXPECT_EQ(test::readBytes(out + ".in"), "/dev/null\n");
    EXPECT_EQ(::kill(pid, 0), 0) << "still running";
    // Once it ends it is reaped: a zombie would still answer to its process id.
    EXPECT_TRUE(waitFor([&] { return ::kill(pid, 0) == -1 && errno == ESRCH; }));
}

TEST(ProgramLauncherPosixTest, FailsForWhatCannotBeStarted) {
    TempDir tmp;
    test::makeDir(tmp / "folder");
    const struct {
        const char* name;
        std::string path;
        int number;
    } cases[] = {
        {"missing program", tmp / "missing", errc::FileNotFound},
        {"empty path", "", errc::FileNotFound},
        {"not executable", script(tmp, "plain", "exit 0\n", 0644), errc::PermissionDenied},
        {"a folder", tmp / "folder", errc::PermissionDenied},
        {"NUL inside the path", script(tmp, "cut", "exit 0\n") + std::string(1, '\0') + "x", errc::BadFileName},
    };
    ProgramLauncherPosix launcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            launcher.start(c.path);
            ADD_FAILURE() << "started";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.number(), c.number);
        }
    }
}

}  // namespace
}  // namespace quorvane
