#include "platform/posix/FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/DosAttributes.h"
#include "platform/Error.h"
#include "platform/posix/PosixIo.h"

namespace quorvane {

namespace {

using posix::errnoError;

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

PlatformError attributeError(int err, const std::string& path) {
    if (err == ENOTSUP)
        return PlatformError(
            errc::PathFileAccessError,
            "The file system cannot keep file attributes (it has no user extended attributes): " + path);
    return errnoError(err, path);
}

// The stored value exactly as it is (Samba's binary record included); nothing when there is none.
std::optional<std::string> rawDosAttrib(const std::string& path) {
    for (;;) {
        const ssize_t size = ::getxattr(path.c_str(), kDosAttribName, nullptr, 0);
        if (size < 0) {
            if (errno == ENODATA || errno == ENOTSUP) return std::nullopt;
            throw errnoError(errno, path);
        }
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::getxattr(path.c_str(), kDosAttribName, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return value;
        }
        if (errno != ERANGE) throw errnoError(errno, path);
    }
}

std::optional<std::uint32_t> readDosAttrib(const std::string& path) {
    const std::optional<std::string> value = rawDosAttrib(path);
    return value ? parseDosAttrib(*value) : std::nullopt;
}

// Puts back a value rawDosAttrib read: the same bytes, or no value at all.
void restoreDosAttrib(const std::string& path, const std::optional<std::string>& value) {
    const int result = value ? ::setxattr(path.c_str(), kDosAttribName, value->data(), value->size(), 0)
                             : ::removexattr(path.c_str(), kDosAttribName);
    if (result != 0 && !(errno == ENODATA && !value)) throw attributeError(errno, path);
}

// A path with its line breaks made visible, so that a message shows it on one line.
std::string visibleText(const std::string& path) {
    std::string out;
    for (const char c : path) {
        if (c == '\n')
            out += "[LF]";
        else if (c == '\r')
            out += "[CR]";
        else
            out += c;
    }
    return out;
}

std::string hexText(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

}  // namespace

FileSystemPosix::~FileSystemPosix() {
    for (auto& [slot, s] : m_slots) ::close(s.handle);
}

void FileSystemPosix::step(std::string_view name) {
    if (m_beforeStep) m_beforeStep(name);
}

FileSystemPosix::HiddenListUpdate FileSystemPosix::hiddenListUpdate(const std::string& path, bool hidden) {
    const PathParts parts = splitPath(path);
    HiddenListUpdate update;
    if (parts.name.empty() || parts.name == "/" || parts.name == "." || parts.name == "..") return update;
    update.listPath = joinPath(parts.parent, kHiddenListName);
    // A name with a line feed would stand in the list as other names; none of its lines is its own.
    if (!hiddenListCanHold(parts.name)) {
        update.unlistable = hidden;
        return update;
    }
    // Never a link, never a FIFO: the listing is a file of this folder or nothing.
    const std::optional<std::string> content = posix::readRegularFile(update.listPath, posix::Links::Refuse);
    const std::string current = content.value_or(std::string());
    if (hiddenListContains(current, parts.name) == hidden) return update;
    update.needed = true;
    const std::string changed = hidden ? hiddenListAdd(current, parts.name) : hiddenListRemove(current, parts.name);
    if (!changed.empty()) {
        posix::checkReplaceable(update.listPath, posix::Links::Refuse);
        update.content = changed;
    }
    return update;
}

PlatformError FileSystemPosix::unlistableError(const std::string& path, const HiddenListUpdate& update) {
    return PlatformError(errc::InvalidPathText,
                         describeError(errc::InvalidPathText) + ": " + visibleText(path) +
                             " has the hidden attribute, but its name cannot be written into " + update.listPath +
                             " (a line break): the file managers will list it");
}

void FileSystemPosix::apply(const HiddenListUpdate& update) {
    if (!update.needed) return;
    if (update.content) {
        posix::replaceFileAtomically(update.listPath, *update.content, posix::Links::Refuse, m_beforeStep);
        return;
    }
    // An emptied list is removed.
    step("delete");
    if (::unlink(update.listPath.c_str()) != 0 && errno != ENOENT) throw errnoError(errno, update.listPath);
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
    // The error names the object in the way when there is one, else the object renamed.
    auto renameError = [&](int err) { return errnoError(err, err == EEXIST || err == ENOTEMPTY ? newPath : oldPath); };
    step("rename");
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL) throw renameError(errno);
        // File systems without RENAME_NOREPLACE: refuse an existing target ourselves.
        struct stat st;
        if (::lstat(to, &st) == 0) throw errorFor(errc::FileAlreadyExists, newPath);
        if (::rename(from, to) != 0) throw renameError(errno);
    }
    if (!hidden) return;
    // The listing follows the object. The rename has happened whatever the list says: a list that
    // cannot follow is reported, saying what is left where.
    auto listOf = [](const std::string& path) { return joinPath(splitPath(path).parent, kHiddenListName); };
    std::string left;
    try {
        apply(hiddenListUpdate(oldPath, false));
    } catch (const PlatformError& error) {
        left += "\r\n" + error.description() + "\r\n" + listOf(oldPath) + " still lists the old name.";
    }
    std::optional<PlatformError> unlistable;
    try {
        const HiddenListUpdate addition = hiddenListUpdate(newPath, true);
        if (addition.unlistable) unlistable = unlistableError(newPath, addition);
        apply(addition);
    } catch (const PlatformError& error) {
        left += "\r\n" + error.description() + "\r\n" + listOf(newPath) + " does not list the new name.";
    }
    if (left.empty() && !unlistable) return;
    const std::string renamed =
        visibleText(oldPath) + " was renamed to " + visibleText(newPath) + " and keeps the hidden attribute";
    if (unlistable) throw PlatformError(unlistable->number(), renamed + ".\r\n" + unlistable->description() + left);
    throw PlatformError(errc::PathFileAccessError,
                        renamed + ", but the list of hidden names could not follow; the file managers may list it:" +
                            left);
}

void FileSystemPosix::setAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st;
    if (path.empty() || ::stat(cpath(path), &st) != 0) throw errnoError(path.empty() ? ENOENT : errno, path);
    const std::uint32_t value = attributes & ~attr::Directory;
    // The listing is looked at first: one that cannot be rewritten stops the change before anything
    // is touched.
    const HiddenListUpdate list = hiddenListUpdate(path, (value & attr::Hidden) != 0);
    const std::optional<std::string> previous = rawDosAttrib(path);
    // Samba's record keeps the object's creation time and more: only the attribute in it changes.
    const auto updated = updateDosAttrib(previous.value_or(std::string()), value, S_ISDIR(st.st_mode));
    if (!updated)
        throw PlatformError(errc::PathFileAccessError,
                            "The attributes stored with this object (user.DOSATTRIB) are in a form this program does "
                            "not know; they were left as they were: " +
                                path);
    step("set attribute");
    if (::setxattr(path.c_str(), kDosAttribName, updated->data(), updated->size(), 0) != 0)
        throw attributeError(errno, path);
    try {
        apply(list);
    } catch (const PlatformError& error) {
        // Keep the two records in step: without the listing the change did not happen.
        try {
            step("restore attribute");
            restoreDosAttrib(path, previous);
        } catch (const PlatformError&) {
            throw PlatformError(error.number(), error.description() + "\r\nThe attributes of " + path + " stay " +
                                                    hexText(value) + ", although " + list.listPath +
                                                    " was left as it was.");
        }
        throw;
    }
    if (list.unlistable) throw unlistableError(path, list);
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
    // A link goes itself; what is neither a file nor a link is no file to delete.
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) throw posix::notAFileError(path, st.st_mode);
    // A file with the read-only attribute is refused, as Windows refuses to delete it. A link has
    // no attributes of its own.
    if (S_ISREG(st.st_mode) && (readDosAttrib(path).value_or(0) & attr::ReadOnly)) throw readOnlyFile(path);
    step("delete");
    if (::unlink(path.c_str()) != 0) throw errnoError(errno, path);
    try {
        apply(hiddenListUpdate(path, false));
    } catch (const PlatformError&) {
    }
}

bool FileSystemPosix::normalFileExists(const std::string& path) {
    const char* p = cpath(path);
    struct stat st;
    if (path.empty() || ::stat(p, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (readDosAttrib(path).value_or(0) & (attr::Hidden | attr::System)) == 0;
}

bool FileSystemPosix::folderExists(const std::string& path) {
    struct stat st;
    return !path.empty() && path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

void FileSystemPosix::makeFolders(const std::string& path) {
    std::error_code error;
    if (path.find('\0') == std::string::npos) std::filesystem::create_directories(std::filesystem::path(path), error);
    if (error || !folderExists(path)) throw errorFor(errc::PathNotFound, path);
}

std::optional<std::string> FileSystemPosix::readFile(const std::string& path) {
    return posix::readRegularFile(path, posix::Links::WriteThrough);
}

bool FileSystemPosix::readFileInBlocks(const std::string& path,
                                       const std::function<void(std::string_view)>& consume) {
    return posix::readRegularFileInBlocks(path, posix::Links::WriteThrough, consume);
}

void FileSystemPosix::writeFile(const std::string& path, const std::string& bytes) {
    posix::replaceFileAtomically(path, bytes, posix::Links::WriteThrough, m_beforeStep);
}

void FileSystemPosix::checkWritableFile(const std::string& path) {
    posix::checkReplaceable(path, posix::Links::Refuse);
}

std::string FileSystemPosix::textFileBytes(const std::string& text) { return text; }

std::string FileSystemPosix::textOfFileBytes(std::string_view bytes) { return std::string(bytes); }

void FileSystemPosix::openText(int slot, const std::string& path) {
    m_slots.checkFree(slot);
    const char* p = cpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;  // a FIFO is refused below, never waited on
    int fd = ::open(p, flags);
    if (fd < 0) {
        if (errno == EISDIR) throw posix::notAFileError(path, S_IFDIR);
        throw errnoError(errno, path, errc::FileNotFound);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw posix::notAFileError(path, st.st_mode);
    }
    m_slots.add(slot, fd, path);
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
    Slot& s = m_slots.at(slot);
    return s.reader.readLine(readerOf(s));
}

bool FileSystemPosix::atEnd(int slot) {
    Slot& s = m_slots.at(slot);
    return s.reader.atEnd(readerOf(s));
}

void FileSystemPosix::close(int slot) noexcept {
    Slot* s = m_slots.find(slot);
    if (!s) return;
    ::close(s->handle);
    m_slots.erase(slot);
}

}  // namespace quorvane
