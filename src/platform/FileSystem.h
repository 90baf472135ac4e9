#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// File attribute bits as the platform knows them. Setting attributes replaces the whole set.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Directory = 0x10;  // reported by no query here; never settable
inline constexpr std::uint32_t Archive = 0x20;
}  // namespace attr

enum class TextMode { Append, Output, Input };

// The file and folder operations the actions call. Paths are UTF-8 text with the platform's
// separator; every failing operation throws PlatformError (number and description).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The object now exists under newPath with its contents. Never replaces an existing object:
    // a rename onto an existing name (its own name included) fails and changes nothing.
    virtual void rename(const std::string& oldPath, const std::string& newPath) = 0;

    // The attribute set of the file or folder becomes exactly `attributes`. Fails on a missing path.
    virtual void setAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // The attribute set last given (never the Directory bit); 0 when none was ever set.
    virtual std::uint32_t attributes(const std::string& path) = 0;

    // Length in bytes of an existing file; fails for folders, missing files and invalid names.
    virtual std::uint64_t fileLength(const std::string& path) = 0;

    virtual void deleteFile(const std::string& path) = 0;

    // True only for an existing file that is neither hidden nor system.
    virtual bool normalFileExists(const std::string& path) = 0;

    // Replaces `target` with `source` in one atomic step; both lie in the same folder. On failure
    // `target` is untouched and `source` is left for the caller to remove.
    virtual void replaceFile(const std::string& source, const std::string& target) = 0;

    // Cuts an existing file back to `length` bytes (used to undo an append that failed half-way).
    virtual void truncateFile(const std::string& path, std::uint64_t length) = 0;

    // Up to the last `count` bytes of an existing file, as stored.
    virtual std::string readTail(const std::string& path, std::size_t count) = 0;

    // Text files by slot number. Lines are written in the register's encoding followed by CR LF;
    // a line read ends at CR LF or a lone CR, which are consumed; a lone LF is part of the line.
    virtual void openText(int slot, const std::string& path, TextMode mode) = 0;
    virtual void writeLine(int slot, const std::string& text) = 0;
    virtual std::string readLine(int slot) = 0;
    virtual bool atEnd(int slot) = 0;
    // Everything written so far is on disk; fails (write error, full disk) when it cannot be.
    virtual void commit(int slot) = 0;
    // Frees the slot; a slot not open is ignored. Never fails.
    virtual void close(int slot) noexcept = 0;
};

}  // namespace quorvane
