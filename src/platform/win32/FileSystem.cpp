#include "platform/win32/FileSystem.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Error.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Text.h"

namespace quorvane {

using win32::lastError;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A path for the wide calls; text that is no UTF-8, or holds a NUL, names nothing.
std::wstring wpath(const std::string& path) {
    auto wide = win32::toWide(path);
    if (!wide) throw errorFor(errc::BadFileName, path);
    return std::move(*wide);
}

class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() {
        if (valid()) ::CloseHandle(m_h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    HANDLE release() {
        const HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE m_h;
};

bool writeAll(HANDLE h, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(h, data, chunk, &written, nullptr)) return false;
        data += written;
        size -= written;
    }
    return true;
}

// The file's attributes, or INVALID_FILE_ATTRIBUTES with the last error set.
DWORD attributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool isMissing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

PlatformError unstorableText(const std::string& text) {
    return PlatformError(
        errc::InvalidPathText,
        describeError(errc::InvalidPathText) + " (the system's code page has no character for part of it): " + text);
}

// A file that a rewrite must leave alone: a folder, or one with the read-only attribute.
void refuseUnwritable(DWORD attributes, const std::string& path) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw notAFile(path, "a folder");
    if (attributes & FILE_ATTRIBUTE_READONLY) throw readOnlyFile(path);
}

// The path of the file a link leads to.
std::wstring finalPath(const std::wstring& link, const std::string& path) {
    Handle h(::CreateFileW(link.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) throw lastError(path);
    std::wstring result(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(h.get(), result.data(), static_cast<DWORD>(result.size()), 0);
        if (n == 0) throw lastError(path);
        if (n < result.size()) {
            result.resize(n);
            return result;
        }
        result.resize(n + 1);
    }
}

// A number for a temporary name; CREATE_NEW makes the name fresh, a new number is tried on a clash.
unsigned long long uniqueNumber() {
    static unsigned long long counter = 0;
    return (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64() ^
           (++counter * 0x9E3779B97F4A7C15ull);
}

// Removes a file of our own making, whatever attributes it was given; what cannot be removed stays.
void removeFile(const std::wstring& path) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
}

}  // namespace

namespace win32 {

void putBackAfterFailedReplacement(const std::wstring& target, const std::wstring& temp,
                                   const std::wstring& backup) noexcept {
    // The old file may have been moved aside before the replacement stopped: it goes back first.
    if (attributesOf(target) == INVALID_FILE_ATTRIBUTES && attributesOf(backup) != INVALID_FILE_ATTRIBUTES)
        ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (attributesOf(target) != INVALID_FILE_ATTRIBUTES) removeFile(backup);
    removeFile(temp);
}

PlatformError replacementError(unsigned long code, const std::string& path, unsigned long targetAttributes) {
    if (code == ERROR_ACCESS_DENIED && targetAttributes != INVALID_FILE_ATTRIBUTES &&
        (targetAttributes & FILE_ATTRIBUTE_READONLY))
        return readOnlyFile(path);
    switch (code) {
        // The old file could not be moved aside, or the new one not into its place: someone else
        // holds one of them, which a plain move reports as a denied access.
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
            return errorFromCode(ERROR_ACCESS_DENIED, path);
        default:
            return errorFromCode(code, path);
    }
}

}  // namespace win32

FileSystemWin32::~FileSystemWin32() {
    while (!m_slots.empty()) close(m_slots.begin()->first);
}

void FileSystemWin32::rename(const std::string& oldPath, const std::string& newPath) {
    const std::wstring from = wpath(oldPath);
    const std::wstring to = wpath(newPath);
    if (oldPath.empty()) throw errorFor(errc::FileNotFound, oldPath);
    if (newPath.empty()) throw errorFor(errc::BadFileName, newPath);
    if (attributesOf(from) == INVALID_FILE_ATTRIBUTES) throw lastError(oldPath);
    // MoveFileW never replaces another object, but a name that differs only in case, or not at
    // all, names the same object and would be taken: refuse every name that is there.
    if (attributesOf(to) != INVALID_FILE_ATTRIBUTES) throw errorFor(errc::FileAlreadyExists, newPath);
    if (!::MoveFileW(from.c_str(), to.c_str())) {
        // The error names the object in the way when there is one, else the object renamed.
        const DWORD code = ::GetLastError();
        const bool inTheWay = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
        throw win32::errorFromCode(code, inTheWay ? newPath : oldPath);
    }
}

void FileSystemWin32::setAttributes(const std::string& path, std::uint32_t attributes) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::FileNotFound, path);
    const DWORD value = attributes & ~attr::Directory;
    if (!::SetFileAttributesW(p.c_str(), value == 0 ? FILE_ATTRIBUTE_NORMAL : value)) throw lastError(path);
}

std::uint32_t FileSystemWin32::attributes(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::FileNotFound, path);
    const DWORD value = attributesOf(p);
    if (value == INVALID_FILE_ATTRIBUTES) throw lastError(path);
    // "Normal" is the system's word for an empty set; the directory bit is no settable attribute.
    return value & ~(attr::Directory | FILE_ATTRIBUTE_NORMAL);
}

std::uint64_t FileSystemWin32::fileLength(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::FileNotFound, path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data)) throw lastError(path);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw errorFor(errc::FileNotFound, path);
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void FileSystemWin32::deleteFile(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::FileNotFound, path);
    const DWORD value = attributesOf(p);
    if (value == INVALID_FILE_ATTRIBUTES) throw lastError(path);
    if (value & FILE_ATTRIBUTE_DIRECTORY) throw notAFile(path, "a folder");
    // The system refuses too, as "access denied"; the refusal says why, as on every system.
    if (value & FILE_ATTRIBUTE_READONLY) throw readOnlyFile(path);
    if (!::DeleteFileW(p.c_str())) throw lastError(path);
}

bool FileSystemWin32::normalFileExists(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) return false;
    const DWORD value = attributesOf(p);
    if (value == INVALID_FILE_ATTRIBUTES) return false;
    return (value & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool FileSystemWin32::folderExists(const std::string& path) {
    const auto wide = win32::toWide(path);
    if (!wide || wide->empty()) return false;
    const DWORD value = ::GetFileAttributesW(wide->c_str());
    return value != INVALID_FILE_ATTRIBUTES && (value & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FileSystemWin32::makeFolders(const std::string& path) {
    std::error_code error;
    if (const auto wide = win32::toWide(path)) std::filesystem::create_directories(std::filesystem::path(*wide), error);
    if (error || !folderExists(path)) throw errorFor(errc::PathNotFound, path);
}

bool FileSystemWin32::readFileInBlocks(const std::string& path,
                                       const std::function<void(std::string_view)>& consume) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    const DWORD attributes = attributesOf(p);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (isMissing(::GetLastError())) return false;
        throw lastError(path);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw notAFile(path, "a folder");
    Handle h(::CreateFileW(p.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
        if (isMissing(::GetLastError())) return false;
        throw lastError(path);
    }
    if (::GetFileType(h.get()) != FILE_TYPE_DISK) throw notAFile(path, "a device or a pipe");
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(h.get(), buffer, sizeof buffer, &got, nullptr)) throw lastError(path);
        if (got == 0) break;
        consume(std::string_view(buffer, got));
    }
    return true;
}

std::optional<std::string> FileSystemWin32::readFile(const std::string& path) {
    std::string content;
    if (!readFileInBlocks(path, [&content](std::string_view block) { content.append(block); })) return std::nullopt;
    return content;
}

void FileSystemWin32::writeFile(const std::string& path, const std::string& bytes) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    std::wstring target = p;
    DWORD old = attributesOf(p);
    if (old == INVALID_FILE_ATTRIBUTES && !isMissing(::GetLastError())) throw lastError(path);
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // A link is written through to the file it names, and stays a link.
        target = finalPath(p, path);
        old = attributesOf(target);
        if (old == INVALID_FILE_ATTRIBUTES) throw lastError(path);
    }
    if (old != INVALID_FILE_ATTRIBUTES) refuseUnwritable(old, path);

    const std::wstring::size_type slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : target.substr(0, slash);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    const std::wstring stem = folder + L"\\~" + name.substr(0, 200) + L".";
    std::wstring temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temp = stem + std::to_wstring(uniqueNumber()) + L".tmp";
        created = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS &&
            ::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    Handle out(created);
    if (!out.valid()) {
        const DWORD code = ::GetLastError();
        const std::string folderText = win32::fromWide(folder);
        if (isMissing(code)) throw errorFor(errc::PathNotFound, folderText);
        if (code == ERROR_ACCESS_DENIED)
            throw PlatformError(errc::PermissionDenied, describeError(errc::PermissionDenied) + ": " + folderText +
                                                            " is a folder where this user may not make files");
        throw win32::errorFromCode(code, path);
    }
    const bool written = writeAll(out.get(), bytes.data(), bytes.size()) && ::FlushFileBuffers(out.get());
    const DWORD writeCode = ::GetLastError();
    ::CloseHandle(out.release());
    auto fail = [&](DWORD code) {
        removeFile(temp);
        return win32::errorFromCode(code, path);
    };
    if (!written) throw fail(writeCode);
    // The new file keeps the old one's attributes (the register may well be hidden). The system's
    // replacement merges them too; wine's does not.
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (old != INVALID_FILE_ATTRIBUTES && (old & kKept) && !::SetFileAttributesW(temp.c_str(), old & kKept))
        throw fail(::GetLastError());

    // Where nothing is there yet, the new file is moved into place; a move never replaces anything,
    // so a file that appeared meanwhile is replaced as below.
    if (old == INVALID_FILE_ATTRIBUTES) {
        if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return;
        const DWORD code = ::GetLastError();
        if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) throw fail(code);
    }
    // An existing file is replaced by the system, which keeps what the file is beyond its content:
    // its security descriptor, attributes, alternate streams and creation time. The old file goes
    // under a name of our own while it does (wine's replacement would otherwise pick one and leave it
    // behind when it fails), and is put back from there should the replacement stop half-way.
    std::wstring backup;
    for (int attempt = 0; attempt < 100; ++attempt) {
        backup = stem + std::to_wstring(uniqueNumber()) + L".old";
        if (attributesOf(backup) == INVALID_FILE_ATTRIBUTES) break;
    }
    if (::ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr)) {
        removeFile(backup);
        return;
    }
    const DWORD code = ::GetLastError();
    // The old file went meanwhile (and was not moved aside): the new one takes the free place.
    if (isMissing(code) && attributesOf(target) == INVALID_FILE_ATTRIBUTES &&
        attributesOf(backup) == INVALID_FILE_ATTRIBUTES &&
        ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        return;
    win32::putBackAfterFailedReplacement(target, temp, backup);
    throw win32::replacementError(code, path, attributesOf(target));
}

void FileSystemWin32::checkWritableFile(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    const DWORD attributes = attributesOf(p);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (isMissing(::GetLastError())) return;
        throw lastError(path);
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) throw notAFile(path, "a link");
    refuseUnwritable(attributes, path);
}

std::string FileSystemWin32::textOfFileBytes(std::string_view bytes) { return win32::fromAnsi(std::string(bytes)); }

std::string FileSystemWin32::textFileBytes(const std::string& text) {
    auto bytes = win32::toAnsi(text);
    if (!bytes) throw unstorableText(text);
    return std::move(*bytes);
}

void FileSystemWin32::openText(int slot, const std::string& path) {
    m_slots.checkFree(slot);
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    HANDLE h = ::CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw lastError(path, errc::FileNotFound);
    Handle guard(h);
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw errorFor(errc::PathFileAccessError, path);
    m_slots.add(slot, guard.release(), path);
}

LineReader::Read FileSystemWin32::readerOf(const Slot& s) {
    return [&s](char* buffer, std::size_t size) {
        DWORD got = 0;
        if (!::ReadFile(s.handle, buffer, static_cast<DWORD>(size), &got, nullptr)) throw lastError(s.path);
        return static_cast<std::size_t>(got);
    };
}

std::string FileSystemWin32::readLine(int slot) {
    Slot& s = m_slots.at(slot);
    return win32::fromAnsi(s.reader.readLine(readerOf(s)));
}

bool FileSystemWin32::atEnd(int slot) {
    Slot& s = m_slots.at(slot);
    return s.reader.atEnd(readerOf(s));
}

void FileSystemWin32::close(int slot) noexcept {
    Slot* s = m_slots.find(slot);
    if (!s) return;
    ::CloseHandle(s->handle);
    m_slots.erase(slot);
}

}  // namespace quorvane
