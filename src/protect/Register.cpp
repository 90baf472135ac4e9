#include "protect/Register.h"

#include <cstdint>

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace quorvane {

namespace {

constexpr int kSlot = 1;
constexpr std::size_t kLineEndSize = 2;  // CR LF

// What an append must know of the register before it writes, to add a missing line end and to
// put the register back exactly as it was.
struct RegisterEnd {
    bool existed = false;
    std::uint64_t length = 0;
    bool needsLineEnd = false;
};

RegisterEnd lookAtRegister(FileSystem& fs, const std::string& registerPath) {
    RegisterEnd end;
    try {
        end.length = fs.fileLength(registerPath);
    } catch (const PlatformError& error) {
        if (error.number() == errc::FileNotFound || error.number() == errc::PathNotFound) return end;
        throw;  // without its length an append could not be undone
    }
    end.existed = true;
    if (end.length > 0) {
        // A line ends at CR LF or at a lone CR; a lone LF is part of the line.
        const std::string tail = fs.readTail(registerPath, kLineEndSize);
        const bool endsWithCrLf = tail.size() == 2 && tail[0] == '\r' && tail[1] == '\n';
        const bool endsWithCr = !tail.empty() && tail.back() == '\r';
        end.needsLineEnd = !endsWithCrLf && !endsWithCr;
    }
    return end;
}

// Puts the register back as `end` found it. `written` bounds what this append can have added, so
// that a file we did not create is never removed. Failures here are passed over: the error that
// made the append fail is the one to report.
void restoreRegister(FileSystem& fs, const std::string& registerPath, const RegisterEnd& end, std::uint64_t written) {
    try {
        if (end.existed)
            fs.truncateFile(registerPath, end.length);
        else if (fs.fileLength(registerPath) <= written)
            fs.deleteFile(registerPath);
    } catch (const PlatformError&) {
    }
}

void appendTo(FileSystem& fs, const std::string& registerPath, const RegisterEnd& end, const std::string& entry) {
    const std::uint64_t written = (end.needsLineEnd ? kLineEndSize : 0) + entry.size() + kLineEndSize;
    try {
        fs.openText(kSlot, registerPath, TextMode::Append);
    } catch (const PlatformError&) {
        if (!end.existed) restoreRegister(fs, registerPath, end, 0);
        throw;
    }
    try {
        if (end.needsLineEnd) fs.writeLine(kSlot, std::string());
        fs.writeLine(kSlot, entry);
        fs.commit(kSlot);
    } catch (const PlatformError&) {
        fs.close(kSlot);
        restoreRegister(fs, registerPath, end, written);
        throw;
    } catch (...) {
        fs.close(kSlot);
        throw;
    }
    fs.close(kSlot);
}

}  // namespace

void checkRegisterEntry(const std::string& entry) {
    if (entry.find_first_of("\r\n") != std::string::npos)
        throw PlatformError(errc::InvalidPathText, describeError(errc::InvalidPathText) +
                                                       " (a line break cannot be kept in the register): " + entry);
}

void appendToRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry) {
    appendTo(fs, registerPath, lookAtRegister(fs, registerPath), entry);
}

void hideAndRecord(FileSystem& fs, const std::string& folderPath, const std::string& registerPath) {
    checkRegisterEntry(folderPath);
    const std::uint32_t previous = fs.attributes(folderPath);  // fails for an empty or missing path
    const RegisterEnd end = lookAtRegister(fs, registerPath);

    fs.setAttributes(folderPath, attr::Hidden | attr::System);
    try {
        appendTo(fs, registerPath, end, folderPath);
    } catch (const PlatformError& error) {
        try {
            fs.setAttributes(folderPath, previous);
        } catch (const PlatformError&) {
            throw PlatformError(
                error.number(),
                error.description() + "\r\nThe folder stays hidden and is not in the list: " + folderPath);
        }
        throw;
    }
}

}  // namespace quorvane
