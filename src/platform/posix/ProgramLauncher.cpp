#include "platform/posix/ProgramLauncher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/Error.h"

extern char** environ;

namespace quorvane {

namespace {

PlatformError startError(int err, const std::string& path) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return errorFor(errc::FileNotFound, path);
        case EACCES:
        case EPERM:
            return errorFor(errc::PermissionDenied, path);
        case ENAMETOOLONG:
            return errorFor(errc::BadFileName, path);
        default:
            return PlatformError(errc::PathFileAccessError,
                                 describeError(errc::PathFileAccessError) + " (" + std::strerror(err) + "): " + path);
    }
}

// posix_spawn's attribute and file-action objects, freed on every way out.
struct SpawnSetup {
    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
    SpawnSetup() {
        posix_spawnattr_init(&attr);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

void ProgramLauncherPosix::start(const std::string& path) {
    if (path.empty()) throw errorFor(errc::FileNotFound, path);
    // The kernel would read only up to the NUL and start another program than the one named.
    if (path.find('\0') != std::string::npos) throw errorFor(errc::BadFileName, path);

    SpawnSetup setup;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    // The program starts with no blocked or ignored signal inherited from us.
    posix_spawnattr_setsigmask(&setup.attr, &none);
    posix_spawnattr_setsigdefault(&setup.attr, &all);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (const int err = posix_spawn(&pid, path.c_str(), &setup.actions, &setup.attr, argv, environ); err != 0)
        throw startError(err, path);

    // Reaps the program when it ends, so that no zombie stays behind; the thread only waits.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) == -1 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace quorvane
