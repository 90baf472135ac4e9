#include "platform/IniWriterPosix.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "icons/IniText.h"
#include "platform/Error.h"
#include "platform/PosixIo.h"

namespace quorvane {

namespace {

// The writer's errors name the folder as missing when a part of the path is.
PlatformError fileError(int err, const std::string& path) { return posix::errnoError(err, path, errc::PathNotFound); }

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

// The file that is really written: a symbolic link's target, so that the link stays.
std::string resolveTarget(const std::string& file) {
    struct stat st;
    if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return file;
    char resolved[PATH_MAX];
    if (::realpath(file.c_str(), resolved) == nullptr) return file;
    return resolved;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The whole file; false when it does not exist.
bool readFile(const std::string& path, std::string& content, struct stat& st) {
    content.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return false;
        throw fileError(errno, path);
    }
    if (::fstat(fd.get(), &st) != 0) throw fileError(errno, path);
    if (!S_ISREG(st.st_mode)) throw errorFor(errc::PathFileAccessError, path);
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw fileError(errno, path);
        }
        if (n == 0) break;
        content.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

// Gives the new file what the old one had besides its text. Extended attributes of the user
// namespace (the DOS attributes among them) must come along; others are kept where we may.
bool copyMetadata(int from, int to, const struct stat& st) {
    if (::fchown(to, st.st_uid, st.st_gid) != 0) {
        // Only the owner's own files can be rewritten by others; the group may still differ.
    }
    if (::fchmod(to, st.st_mode & 07777) != 0) return false;
    const ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    if (got < 0) return false;
    for (std::size_t pos = 0; pos < static_cast<std::size_t>(got);) {
        const char* name = names.data() + pos;
        pos += std::strlen(name) + 1;
        const bool needed = std::strncmp(name, "user.", 5) == 0;
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0) {
            if (needed) return false;
            continue;
        }
        std::vector<char> value(static_cast<std::size_t>(length));
        const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
        if (read < 0 || ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(read), 0) != 0) {
            if (needed) return false;
        }
    }
    return true;
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".quorvane-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

void rewriteTextFile(const std::string& file, const std::function<std::string(std::string_view)>& edit) {
    if (file.empty() || file.find('\0') != std::string::npos) throw errorFor(errc::BadFileName, file);
    const std::string target = resolveTarget(file);

    std::string content;
    struct stat st {};
    const bool existed = readFile(target, content, st);
    const std::string updated = edit(content);
    if (existed ? updated == content : updated.empty()) return;

    const std::string temp = temporaryName(target);
    Fd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.get() < 0) throw fileError(errno, file);
    auto fail = [&](int err) {
        ::unlink(temp.c_str());
        return fileError(err, file);
    };
    if (existed) {
        Fd in(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
        if (in.get() < 0 || !copyMetadata(in.get(), out.get(), st)) throw fail(errno);
    }
    if (!posix::writeAll(out.get(), updated.data(), updated.size()) || ::fsync(out.get()) != 0) throw fail(errno);
    if (!out.close()) throw fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) throw fail(errno);
    Fd dir(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());  // the new name itself reaches the disk
}

void IniWriterPosix::writeString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value, const std::string& file) {
    rewriteTextFile(file, [&](std::string_view content) { return IniWriteValue(content, section, key, value); });
}

}  // namespace quorvane
