#include "platform/FileSystemWin32.h"

#include <windows.h>

#include <cstring>

#include "platform/Error.h"
#include "platform/Win32Error.h"
#include "platform/Win32Text.h"

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

}  // namespace

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
    if (!::MoveFileW(from.c_str(), to.c_str())) throw lastError(oldPath);
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
    if (value & FILE_ATTRIBUTE_DIRECTORY) throw errorFor(errc::PathFileAccessError, path);
    if (!::DeleteFileW(p.c_str())) throw lastError(path);
}

bool FileSystemWin32::normalFileExists(const std::string& path) {
    const std::wstring p = wpath(path);
    if (path.empty()) return false;
    const DWORD value = attributesOf(p);
    if (value == INVALID_FILE_ATTRIBUTES) return false;
    return (value & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

void FileSystemWin32::replaceFile(const std::string& source, const std::string& target) {
    const std::wstring from = wpath(source);
    const std::wstring to = wpath(target);
    // One rename over the old file, on the disk before the call returns.
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw lastError(target);
}

void FileSystemWin32::truncateFile(const std::string& path, std::uint64_t length) {
    Handle h(::CreateFileW(wpath(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
    if (!h.valid()) throw lastError(path);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length);
    if (!::SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN) || !::SetEndOfFile(h.get())) throw lastError(path);
}

std::string FileSystemWin32::readTail(const std::string& path, std::size_t count) {
    Handle h(::CreateFileW(wpath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
    if (!h.valid()) throw lastError(path);
    std::string result;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(h.get(), &size)) {
        const LONGLONG start = size.QuadPart > static_cast<LONGLONG>(count) ? size.QuadPart - count : 0;
        LARGE_INTEGER at;
        at.QuadPart = start;
        result.resize(static_cast<std::size_t>(size.QuadPart - start));
        DWORD got = 0;
        if (!::SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN) ||
            !::ReadFile(h.get(), result.data(), static_cast<DWORD>(result.size()), &got, nullptr))
            got = 0;
        result.resize(got);
    }
    return result;
}

void FileSystemWin32::openText(int slot, const std::string& path, TextMode mode) {
    m_slots.checkFree(slot);
    const std::wstring p = wpath(path);
    if (path.empty()) throw errorFor(errc::BadFileName, path);
    // OPEN_ALWAYS and an explicit cut rather than CREATE_ALWAYS, which refuses a hidden or system
    // file (the register or a list file may well be hidden).
    const bool input = mode == TextMode::Input;
    HANDLE h = ::CreateFileW(p.c_str(), input ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, input ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw lastError(path, input ? errc::FileNotFound : errc::PathNotFound);
    Handle guard(h);
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw errorFor(errc::PathFileAccessError, path);
    LARGE_INTEGER zero{};
    if (mode == TextMode::Output && !::SetEndOfFile(h)) throw lastError(path);
    if (mode == TextMode::Append && !::SetFilePointerEx(h, zero, nullptr, FILE_END)) throw lastError(path);
    m_slots.add(slot, guard.release(), mode, path);
}

void FileSystemWin32::flushPending(Slot& s) {
    if (s.pending.empty()) return;
    // Another writer may have appended meanwhile: an append always goes to the end.
    LARGE_INTEGER zero{};
    const bool ok = (s.mode != TextMode::Append || ::SetFilePointerEx(s.handle, zero, nullptr, FILE_END)) &&
                    writeAll(s.handle, s.pending.data(), s.pending.size());
    s.pending.clear();
    if (!ok) throw lastError(s.path);
}

void FileSystemWin32::writeLine(int slot, const std::string& text) {
    Slot& s = m_slots.writable(slot);
    const auto bytes = win32::toAnsi(text);
    if (!bytes)
        throw PlatformError(errc::InvalidPathText,
                            describeError(errc::InvalidPathText) +
                                " (the system's code page has no character for part of it): " + text);
    if (TextSlots<void*>::gather(s, *bytes)) flushPending(s);
}

LineReader::Read FileSystemWin32::readerOf(const Slot& s) {
    return [&s](char* buffer, std::size_t size) {
        DWORD got = 0;
        if (!::ReadFile(s.handle, buffer, static_cast<DWORD>(size), &got, nullptr)) throw lastError(s.path);
        return static_cast<std::size_t>(got);
    };
}

std::string FileSystemWin32::readLine(int slot) {
    Slot& s = m_slots.readable(slot);
    return win32::fromAnsi(s.reader.readLine(readerOf(s)));
}

bool FileSystemWin32::atEnd(int slot) {
    Slot& s = m_slots.at(slot);
    if (s.mode != TextMode::Input) return true;
    return s.reader.atEnd(readerOf(s));
}

void FileSystemWin32::commit(int slot) {
    Slot& s = m_slots.at(slot);
    if (s.mode == TextMode::Input) return;
    flushPending(s);
    if (!::FlushFileBuffers(s.handle)) throw lastError(s.path);
}

void FileSystemWin32::close(int slot) noexcept {
    Slot* s = m_slots.find(slot);
    if (!s) return;
    if (!s->pending.empty()) {
        try {
            flushPending(*s);
        } catch (const PlatformError&) {
        }
    }
    ::CloseHandle(s->handle);
    m_slots.erase(slot);
}

}  // namespace quorvane
