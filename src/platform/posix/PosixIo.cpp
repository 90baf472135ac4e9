#include "platform/posix/PosixIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/DosAttributes.h"
#include "platform/FileSystem.h"

namespace quorvane::posix {

PlatformError errnoError(int err, const std::string& path, int notFound) {
    switch (err) {
        case ENOENT: return errorFor(notFound, path);
        case ENOTDIR: return errorFor(errc::PathNotFound, path);
        case EEXIST:
        case ENOTEMPTY: return errorFor(errc::FileAlreadyExists, path);
        case ENOSPC:
        case EDQUOT: return errorFor(errc::DiskFull, path);
        case EIO: return errorFor(errc::DeviceIoError, path);
        case ENAMETOOLONG:
        case EILSEQ: return errorFor(errc::BadFileName, path);
        case EXDEV: return PlatformError(74, "Can't rename with different drive: " + path);
        case EINVAL: return errorFor(errc::InvalidProcedureCall, path);
        default:
            return PlatformError(errc::PathFileAccessError,
                                 describeError(errc::PathFileAccessError) + " (" + std::strerror(err) + "): " + path);
    }
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

PlatformError notAFileError(const std::string& path, unsigned mode) {
    const char* what = "an object of an unknown kind";
    if (S_ISDIR(mode))
        what = "a folder";
    else if (S_ISFIFO(mode))
        what = "a named pipe (FIFO)";
    else if (S_ISLNK(mode))
        what = "a symbolic link";
    else if (S_ISSOCK(mode))
        what = "a socket";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        what = "a device";
    return notAFile(path, what);
}

namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now, so that a failing close (a late write error) can be reported.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

PlatformError permissionDenied(const std::string& path, const std::string& why) {
    return PlatformError(errc::PermissionDenied, describeError(errc::PermissionDenied) + ": " + path + " " + why);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path leads to: the path itself, or a followed link's target.
struct Target {
    std::string path;
    bool exists = false;
    struct stat st {};
};

Target locate(const std::string& path, Links links) {
    if (path.empty() || path.find('\0') != std::string::npos) throw errorFor(errc::BadFileName, path);
    Target target{path};
    if (::lstat(path.c_str(), &target.st) != 0) {
        if (errno == ENOENT) return target;  // a missing folder shows when the file is made
        throw errnoError(errno, path, errc::PathNotFound);
    }
    if (S_ISLNK(target.st.st_mode)) {
        if (links == Links::Refuse) throw notAFileError(path, target.st.st_mode);
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) == nullptr) {
            if (errno == ENOENT)
                throw PlatformError(errc::PathFileAccessError, describeError(errc::PathFileAccessError) + ": " + path +
                                                                   " is a symbolic link to nothing");
            throw errnoError(errno, path);
        }
        target.path = resolved;
        if (::lstat(target.path.c_str(), &target.st) != 0) throw errnoError(errno, target.path);
    }
    if (!S_ISREG(target.st.st_mode)) throw notAFileError(target.path, target.st.st_mode);
    target.exists = true;
    return target;
}

// The raw value of an extended attribute of the file itself (never a link's target); nothing when absent.
std::optional<std::string> attributeValue(const std::string& path, const char* name) {
    for (;;) {
        const ssize_t size = ::lgetxattr(path.c_str(), name, nullptr, 0);
        if (size < 0) return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::lgetxattr(path.c_str(), name, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return value;
        }
        if (errno != ERANGE) return std::nullopt;  // grew meanwhile: ask again
    }
}

void refuseUnwritable(const Target& target, const std::string& path) {
    if (const auto stored = attributeValue(target.path, kDosAttribName)) {
        const auto set = parseDosAttrib(*stored);
        if (set && (*set & attr::ReadOnly)) throw readOnlyFile(path);
    }
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES || errno == EPERM) throw permissionDenied(path, "may not be written by this user");
        if (errno == EROFS) throw permissionDenied(path, "lies on a read-only file system");
        throw errnoError(errno, path);
    }
}

std::uint64_t randomNumber() {
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof value)) return value;
    // Without the kernel's numbers a fresh name still comes from the exclusive create's retries.
    static std::atomic<std::uint64_t> counter{0};
    return (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(std::time(nullptr)) ^
           (++counter * 0x9E3779B97F4A7C15ull);
}

constexpr std::size_t kLongestTemporaryStem = 200;  // leaves room for the suffix within NAME_MAX
constexpr std::string_view kTemporaryTag = ".quorvane-";
constexpr std::size_t kTemporaryDigits = 16;

// The name of a temporary file of `target`, less its 16 hex digits: "." + name + ".quorvane-".
std::string temporaryStem(const std::string& target) {
    return "." + nameOf(target).substr(0, kLongestTemporaryStem) + std::string(kTemporaryTag);
}

bool isTemporaryOf(std::string_view entry, std::string_view stem) {
    if (entry.size() != stem.size() + kTemporaryDigits || entry.substr(0, stem.size()) != stem) return false;
    for (const char c : entry.substr(stem.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// Removes the temporary files of `target` that a writer left when it died: each writer holds an
// advisory lock on its temporary file for as long as it writes, so one that nobody holds is stale.
// Best effort: whatever cannot be looked at or removed stays.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string stem = temporaryStem(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir))
        if (isTemporaryOf(entry->d_name, stem)) stale.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : stale) {
        const std::string path = (folder == "/" ? "/" : folder + "/") + name;
        Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // gone, or being written
        // Still the file that was locked: a writer whose file goes before it locks it makes another.
        struct stat held {}, named {};
        if (::fstat(fd.get(), &held) == 0 && S_ISREG(held.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            ::unlink(path.c_str());
    }
}

// A new, empty file beside `target` under a name nobody has used: created exclusively, never
// through a link, and locked (flock) for as long as it is open, which tells other writers it is
// in use. -1 with errno set when the folder takes none.
int createTemporary(const std::string& target, mode_t mode, std::string& temp) {
    const std::string folder = folderOf(target);
    const std::string stem = temporaryStem(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(randomNumber()));
        temp = (folder == "/" ? "/" : folder + "/") + stem + digits;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return fd;
        }
        // Another writer's clean-up may have taken it between the create and the lock: then it has
        // no name any more, and another one is made.
        struct stat st {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

PlatformError temporaryError(int err, const std::string& path) {
    const std::string folder = folderOf(path);
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return errorFor(errc::PathNotFound, folder);
        case EACCES:
        case EPERM:
            return permissionDenied(folder, "is a folder where this user may not make files");
        case EROFS:
            return permissionDenied(folder, "lies on a read-only file system");
        default:
            return errnoError(err, path);
    }
}

// Gives the new file what the old one had besides its content: owner, mode and extended
// attributes. Attributes of the user namespace (the DOS attributes among them) must come along;
// the others are kept where we may. Returns an error, or nothing.
std::optional<PlatformError> keepMetadata(const Target& old, int to, const std::string& path) {
    if (::fchown(to, old.st.st_uid, old.st.st_gid) != 0)
        return permissionDenied(path, "has an owner or group that a new copy of it could not keep");
    if (::fchmod(to, old.st.st_mode & 07777) != 0) return errnoError(errno, path);
    const ssize_t size = ::llistxattr(old.path.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP ? std::nullopt : std::optional(errnoError(errno, path));
    std::vector<char> names(static_cast<std::size_t>(size) + 1, '\0');
    const ssize_t got = ::llistxattr(old.path.c_str(), names.data(), static_cast<std::size_t>(size));
    if (got < 0) return errnoError(errno, path);
    for (std::size_t pos = 0; pos < static_cast<std::size_t>(got);) {
        const char* name = names.data() + pos;
        pos += std::strlen(name) + 1;
        const bool needed = std::strncmp(name, "user.", 5) == 0;
        const auto value = attributeValue(old.path, name);
        if (!value || ::fsetxattr(to, name, value->data(), value->size(), 0) != 0) {
            if (needed) return errnoError(value ? errno : EIO, path);
        }
    }
    return std::nullopt;
}

}  // namespace

void checkReplaceable(const std::string& path, Links links) {
    const Target target = locate(path, links);
    if (target.exists) refuseUnwritable(target, path);
}

bool readRegularFileInBlocks(const std::string& path, Links links,
                             const std::function<void(std::string_view)>& consume) {
    const Target target = locate(path, links);
    if (!target.exists) return false;
    // Not blocking, not following: what is opened is checked to be the regular file looked at.
    Fd fd(::open(target.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return false;
        throw errnoError(errno, path);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw errnoError(errno, path);
    if (!S_ISREG(st.st_mode)) throw notAFileError(target.path, st.st_mode);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errnoError(errno, path);
        }
        if (n == 0) break;
        consume(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
    return true;
}

std::optional<std::string> readRegularFile(const std::string& path, Links links) {
    std::string content;
    bool sized = false;
    const bool found = readRegularFileInBlocks(path, links, [&](std::string_view block) {
        if (!sized) {
            // One allocation for a file read whole: what the file holds now, if it does not grow.
            sized = true;
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0 && st.st_size > 0) content.reserve(static_cast<std::size_t>(st.st_size));
        }
        content.append(block);
    });
    if (!found) return std::nullopt;
    return content;
}

void replaceFileAtomically(const std::string& path, std::string_view content, Links links, const StepHook& beforeStep) {
    const Target target = locate(path, links);
    if (target.exists) refuseUnwritable(target, path);
    auto step = [&](std::string_view name) {
        if (beforeStep) beforeStep(name);
    };

    removeStaleTemporaries(target.path);
    step("create temporary");
    std::string temp;
    // A new file gets the usual mode (less the umask); an old file's mode is put on below.
    Fd out(createTemporary(target.path, target.exists ? 0600 : 0666, temp));
    if (out.get() < 0) throw temporaryError(errno, path);
    // The lock lives as long as any descriptor of the open file: this one keeps it until the
    // temporary file has its final name.
    const Fd lock(::dup(out.get()));
    try {
        if (target.exists) {
            step("keep attributes");
            if (auto error = keepMetadata(target, out.get(), path)) throw *error;
        }
        step("write");
        if (!writeAll(out.get(), content.data(), content.size())) throw errnoError(errno, path);
        step("flush");
        if (::fsync(out.get()) != 0) throw errnoError(errno, path);
        if (!out.close()) throw errnoError(errno, path);
        step("rename");
        if (::rename(temp.c_str(), target.path.c_str()) != 0) throw errnoError(errno, path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // The new name reaches the disk too. The file is replaced already: a failure here is not one
    // of the replacement, whose callers rely on "failed" meaning "unchanged".
    Fd folder(::open(folderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

}  // namespace quorvane::posix
