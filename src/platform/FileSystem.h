#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// File attribute bits as the platform knows them. Setting attributes replaces the whole set.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Directory = 0x10;  // reported by no query here; never settable
inline constexpr std::uint32_t Archive = 0x20;
}  // namespace attr

// The file and folder operations the actions call. Paths are UTF-8 text with the platform's
// separator; every failing operation throws PlatformError (number and description).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The object now exists under newPath with its contents. Never replaces an existing object:
    // a rename onto an existing name (its own name included) fails, naming the object in the
    // way, and changes nothing.
    virtual void rename(const std::string& oldPath, const std::string& newPath) = 0;

    // The attribute set of the file or folder becomes exactly `attributes`. Fails on a missing path.
    virtual void setAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // The attribute set last given (never the Directory bit); 0 when none was ever set.
    virtual std::uint32_t attributes(const std::string& path) = 0;

    // Length in bytes of an existing file; fails for folders, missing files and invalid names.
    virtual std::uint64_t fileLength(const std::string& path) = 0;

    // The file is gone. A link is removed itself, never followed; a folder, a FIFO or another
    // object that is not a file is refused, saying what it is; a file with the read-only attribute
    // is refused with readOnlyFile, as Windows refuses it.
    virtual void deleteFile(const std::string& path) = 0;

    // True only for an existing file that is neither hidden nor system.
    virtual bool normalFileExists(const std::string& path) = 0;

    // True for an existing folder (a link to one counts). Never fails: what cannot be looked at is
    // no folder.
    virtual bool folderExists(const std::string& path) = 0;

    // The folder `path` exists afterwards, made with its missing parents; one that exists already is
    // left as it is. Fails with PathNotFound, naming the folder, when it cannot be made.
    virtual void makeFolders(const std::string& path) = 0;

    // The whole content of the file `path` as stored; nothing when there is no such file. A link
    // is followed; what is not a regular file (a folder, a FIFO) is refused with an error saying
    // what it is, and a FIFO is never waited on.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;

    // The content of `path` as readFile gives it, handed to `consume` a block at a time in order,
    // so that a long file is never held twice; false, with nothing handed on, when there is no such
    // file. A failure to read further throws after the blocks read so far were handed on.
    virtual bool readFileInBlocks(const std::string& path, const std::function<void(std::string_view)>& consume) = 0;

    // `path` holds exactly `bytes` afterwards, replaced in one atomic step: whenever the program
    // dies, the file is the old one or the new one, never a part; when this fails, nothing has
    // changed. The file keeps its attributes (on Linux also its mode, owner and other extended
    // attributes); a link to a file is written through and stays a link. Refused before
    // anything is written: what is not a regular file (saying what it is), a file with the
    // read-only attribute or one this user may not write (PermissionDenied).
    virtual void writeFile(const std::string& path, const std::string& bytes) = 0;

    // Throws, as writeFile would refuse it, unless `path` names nothing or a regular file that may
    // be replaced; a link is refused too. Looks only: changes nothing, opens nothing.
    virtual void checkWritableFile(const std::string& path) = 0;

    // The bytes that stand for `text` in a text file such as the register: a line's bytes (without
    // its CR LF), which readLine reads back as `text`. Throws InvalidPathText for text the encoding
    // cannot hold exactly. Text files are written whole, with writeFile.
    virtual std::string textFileBytes(const std::string& text) = 0;

    // The text that the bytes of one line of a text file stand for, as readLine gives it: the
    // inverse of textFileBytes.
    virtual std::string textOfFileBytes(std::string_view bytes) = 0;

    // Text files read by slot number, line by line, in the register's encoding: a line read ends
    // at CR LF or a lone CR, which are consumed; a lone LF is part of the line.
    virtual void openText(int slot, const std::string& path) = 0;
    virtual std::string readLine(int slot) = 0;
    virtual bool atEnd(int slot) = 0;
    // Frees the slot; a slot not open is ignored. Never fails.
    virtual void close(int slot) noexcept = 0;
};

}  // namespace quorvane
