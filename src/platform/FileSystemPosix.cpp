#include "platform/FileSystemPosix.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/DosAttributes.h"
#include "platform/Error.h"
#include "platform/PosixIo.h"

namespace quorvane {

namespace {

using posix::errnoError;
using posix::writeAll;

// A path handed to the kernel; embedded NULs cannot name anything.
const char* cpath(const std::string& path) {
    if (path.find('\0') != std::string::npos) throw errorFor(errc::BadFileName, path);
    return path.c_str();
}

// Parent folder and last name of a path; a trailing slash belongs to the name's folder.
struct PathParts {
    std::string parent;
    std::string name;
};

PathParts splitPath(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;  // a missing list is an empty one
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) content.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return n == 0;
}

// Rewrites a small list file through a temporary file, so a reader never sees half of it;
// an emptied list is removed.
bool writeListFile(const std::string& path, const std::string& content) {
    if (content.empty()) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    const std::string temp = path + ".quorvane-tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = writeAll(fd, content.data(), content.size());
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

// The stored value as it is; "" when there is none or the file system keeps none.
std::string readDosAttribValue(const std::string& path) {
    std::string value(256, '\0');
    for (int attempt = 0;; ++attempt) {
        const ssize_t n = ::getxattr(path.c_str(), kDosAttribName, value.data(), value.size());
        if (n >= 0) {
            value.resize(static_cast<std::size_t>(n));
            return value;
        }
        if (errno == ENODATA || errno == ENOTSUP) return {};
        if (errno != ERANGE || attempt == 3) throw errnoError(errno, path);
        // Larger than any record we know; fetch it whole all the same, it may grow meanwhile.
        const ssize_t size = ::getxattr(path.c_str(), kDosAttribName, nullptr, 0);
        if (size < 0) continue;
        value.resize(static_cast<std::size_t>(size) + 1);
    }
}

std::optional<std::uint32_t> readDosAttrib(const std::string& path) { return parseDosAttrib(readDosAttribValue(path)); }

void writeDosAttribValue(const std::string& path, const std::string& value) {
    if (::setxattr(path.c_str(), kDosAttribName, value.data(), value.size(), 0) != 0) {
        if (errno == ENOTSUP)
            throw PlatformError(errc::PathFileAccessError,
                                "The file system cannot keep file attributes (it has no user extended attributes): " +
                                    path);
        throw errnoError(errno, path);
    }
}

}  // namespace

FileSystemPosix::~FileSystemPosix() {
    for (auto& [slot, s] : m_slots) ::close(s.handle);
}

void FileSystemPosix::updateHiddenList(const std::string& path, bool hidden) {
    const PathParts parts = splitPath(path);
    if (parts.name.empty() || parts.name == "/" || parts.name == "." || parts.name == "..") return;
    const std::string listPath = joinPath(parts.parent, kHiddenListName);
    std::string content;
    if (!readWholeFile(listPath, content)) throw errnoError(errno, listPath);
    const bool listed = hiddenListContains(content, parts.name);
    if (listed == hidden) return;
    const std::string updated = hidden ? hiddenListAdd(content, parts.name) : hiddenListRemove(content, parts.name);
    if (!writeListFile(listPath, updated)) throw errnoError(errno, listPath);
}

void FileSystemPosix::rename(const std::string& oldPath, const std::string& newPath) {
    const char* from = cpath(oldPath);
    const char* to = cpath(newPath);
    if (oldPath.empty()) throw errorFor(errc::FileNotFound, oldPath);
    if (newPath.empty()) throw errorFor(errc::BadFileName, newPath);
    bool hidden = false;
    try {
        hidden = (attributes(oldPath) & attr::Hidden) != 0;
    } catch (const PlatformError&) {
        // the rename below reports a missing object itself
    }
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL) throw errnoError(errno, oldPath);
        // File systems without RENAME_NOREPLACE: refuse an existing target ourselves.
        struct stat st;
        if (::lstat(to, &st) == 0) throw errorFor(errc::FileAlreadyExists, newPath);
        if (::rename(from, to) != 0) throw errnoError(errno, oldPath);
    }
    if (hidden) {
        // The listing follows the object; the rename itself has happened whatever the list says.
        try {
            updateHiddenList(oldPath, false);
            updateHiddenList(newPath, true);
        } catch (const PlatformError&) {
        }
    }
}

void FileSystemPosix::setAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st;
    if (path.empty() || ::stat(cpath(path), &st) != 0) throw errnoError(path.empty() ? ENOENT : errno, path);
    const std::string previous = readDosAttribValue(path);
    const std::uint32_t value = attributes & ~attr::Directory;
    const auto updated = updateDosAttrib(previous, value, S_ISDIR(st.st_mode));
    if (!updated)
        throw PlatformError(errc::PathFileAccessError,
                            "The attributes stored with this object (user.DOSATTRIB) are in a form this program does "
                            "not know; they were left as they were: " +
                                path);
    writeDosAttribValue(path, *updated);
    try {
        updateHiddenList(path, (value & attr::Hidden) != 0);
    } catch (const PlatformError&) {
        // Keep the two records in step: without the listing the change did not happen.
        if (!previous.empty())
            writeDosAttribValue(path, previous);
        else
            ::removexattr(path.c_str(), kDosAttribName);
        throw;
    }
}

std::uint32_t FileSystemPosix::attributes(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(cpath(path), &st) != 0) throw errnoError(path.empty() ? ENOENT : errno, path);
    return readDosAttrib(path).value_or(0) & ~attr::Directory;
}

std::uint64_t FileSystemPosix::fileLength(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(cpath(path), &st) != 0) throw errnoError(path.empty() ? ENOENT : errno, path);
    if (!S_ISREG(st.st_mode)) throw errorFor(errc::FileNotFound, path);
    return static_cast<std::uint64_t>(st.st_size);
}

void FileSystemPosix::deleteFile(const std::string& path) {
    struct stat st;
    if (path.empty() || ::lstat(cpath(path), &st) != 0) throw errnoError(path.empty() ? ENOENT : errno, path);
    if (S_ISDIR(st.st_mode)) throw errorFor(errc::PathFileAccessError, path);
    if (::unlink(path.c_str()) != 0) throw errnoError(errno, path);
    try {
        updateHiddenList(path, false);
    } catch (const PlatformError&) {
    }
}

bool FileSystemPosix::normalFileExists(const std::string& path) {
    const char* p = cpath(path);
    struct stat st;
    if (path.empty() || ::stat(p, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (readDosAttrib(path).value_or(0) & (attr::Hidden | attr::System)) == 0;
}

void FileSystemPosix::replaceFile(const std::string& source, const std::string& target) {
    if (::rename(cpath(source), cpath(target)) != 0) throw errnoError(errno, target);
    const PathParts parts = splitPath(target);
    int dir = ::open(parts.parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);  // the new name itself reaches the disk
        ::close(dir);
    }
}

void FileSystemPosix::truncateFile(const std::string& path, std::uint64_t length) {
    if (::truncate(cpath(path), static_cast<off_t>(length)) != 0) throw errnoError(errno, path);
}

std::string FileSystemPosix::readTail(const std::string& path, std::size_t count) {
    int fd = ::open(cpath(path), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw errnoError(errno, path);
    struct stat st;
    std::string result;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const off_t size = st.st_size;
        const off_t start = size > static_cast<off_t>(count) ? size - static_cast<off_t>(count) : 0;
        result.resize(static_cast<std::size_t>(size - start));
        const ssize_t n = ::pread(fd, result.data(), result.size(), start);
        result.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    ::close(fd);
    return result;
}

void FileSystemPosix::openText(int slot, const std::string& path, TextMode mode) {
    m_slots.checkFree(slot);
    const char* p = cpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    int flags = O_CLOEXEC;
    switch (mode) {
        case TextMode::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
        case TextMode::Output: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case TextMode::Input: flags |= O_RDONLY; break;
    }
    int fd = ::open(p, flags, 0666);
    if (fd < 0)
        throw errnoError(errno == EISDIR ? EACCES : errno, path,
                         mode == TextMode::Input ? errc::FileNotFound : errc::PathNotFound);
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw errorFor(errc::PathFileAccessError, path);
    }
    m_slots.add(slot, fd, mode, path);
}

void FileSystemPosix::flushPending(Slot& s) {
    if (s.pending.empty()) return;
    if (!writeAll(s.handle, s.pending.data(), s.pending.size())) {
        const int err = errno;
        s.pending.clear();
        throw errnoError(err, s.path);
    }
    s.pending.clear();
}

void FileSystemPosix::writeLine(int slot, const std::string& text) {
    Slot& s = m_slots.writable(slot);
    if (TextSlots<int>::gather(s, text)) flushPending(s);
}

LineReader::Read FileSystemPosix::readerOf(const Slot& s) {
    return [&s](char* buffer, std::size_t size) {
        ssize_t n;
        do {
            n = ::read(s.handle, buffer, size);
        } while (n < 0 && errno == EINTR);
        if (n < 0) throw errnoError(errno, s.path);
        return static_cast<std::size_t>(n);
    };
}

std::string FileSystemPosix::readLine(int slot) {
    Slot& s = m_slots.readable(slot);
    return s.reader.readLine(readerOf(s));
}

bool FileSystemPosix::atEnd(int slot) {
    Slot& s = m_slots.at(slot);
    if (s.mode != TextMode::Input) return true;
    return s.reader.atEnd(readerOf(s));
}

void FileSystemPosix::commit(int slot) {
    Slot& s = m_slots.at(slot);
    if (s.mode == TextMode::Input) return;
    flushPending(s);
    if (::fsync(s.handle) != 0 && errno != EINVAL) throw errnoError(errno, s.path);
}

void FileSystemPosix::close(int slot) noexcept {
    Slot* s = m_slots.find(slot);
    if (!s) return;
    if (!s->pending.empty()) writeAll(s->handle, s->pending.data(), s->pending.size());
    ::close(s->handle);
    m_slots.erase(slot);
}

}  // namespace quorvane
