#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Error.h"

namespace quorvane::posix {

// Maps the errno of a failed call on `path` to our error numbers; a missing object gives `notFound`.
PlatformError errnoError(int err, const std::string& path, int notFound = errc::FileNotFound);

// Writes all of `data`, resuming after interruptions and short writes; false (errno set) on failure.
bool writeAll(int fd, const char* data, std::size_t size);

// The refusal of an object that is not a regular file, saying what it is ("... is a folder").
PlatformError notAFileError(const std::string& path, unsigned mode);

// Called before each change that a file service makes on disk, with the change's name ("write",
// "rename", ...). Empty in the program; tests stop the process there to see what a crash leaves,
// or throw from it to fail that step.
using StepHook = std::function<void(std::string_view step)>;

// Whether a symbolic link standing where a file is rewritten leads to the file or is refused.
// Only a file of the user's own choosing (the register) may be a link: a link planted in a folder
// that others can write must never make us write elsewhere.
enum class Links { Refuse, WriteThrough };

// Throws unless `path` names nothing, or a regular file (through a link with Links::WriteThrough)
// that we may replace: its read-only attribute not set, and writable by this user. The refusal
// names what is in the way. Never opens anything that could block (a FIFO) and changes nothing.
void checkReplaceable(const std::string& path, Links links);

// The whole content of the regular file `path`, nothing when there is no such file. Refuses what
// is not a regular file as checkReplaceable does; never blocks on a FIFO.
std::optional<std::string> readRegularFile(const std::string& path, Links links);
// The same content handed to `consume` a block at a time; false when there is no such file.
bool readRegularFileInBlocks(const std::string& path, Links links,
                             const std::function<void(std::string_view)>& consume);

// Makes `path` hold exactly `content` in one atomic step: a crash leaves the old file or the new,
// never a part. The content goes to a fresh temporary file made exclusively (never through a link)
// in the same folder, is flushed, takes the old file's mode, owner and extended attributes, and is
// renamed over the file; the folder is flushed after. On any failure the file is as it was and the
// temporary file is gone. The temporary file ("." + name + ".quorvane-" + 16 hex digits) is locked
// (flock) while it is written; leftovers of the same file that nobody holds locked, which a writer
// that died left, are removed first. A link is written through to its target and stays a link (Links::
// WriteThrough) or refused; whatever checkReplaceable refuses is refused before anything is written.
void replaceFileAtomically(const std::string& path, std::string_view content, Links links,
                           const StepHook& beforeStep = {});

}  // namespace quorvane::posix
