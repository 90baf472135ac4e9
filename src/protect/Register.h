#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class FileSystem;

// The register of hidden folders ("l0g.ext" beside the program): one full path per line, CR LF
// after every line, oldest first, duplicates kept, nothing else. A line ends at CR LF or a lone CR;
// a lone LF belongs to the line. The list window reads it with LoadListFromFile; hiding adds to it
// and making a folder visible takes its line out, here.
//
// Every change is all or nothing even if the program dies meanwhile: the register's new bytes are
// made from its bytes on disk at that moment and replace it in one atomic step (FileSystem::
// writeFile), so it is always as before or as after, never with part of a line.

// Refuses (throws InvalidPathText) an entry that could not come back as the one line it was:
// a path holding CR or LF would split into wrong entries.
void checkRegisterEntry(const std::string& entry);

// What an append changed, to take it back.
struct RegisterAppend {
    std::optional<std::string> before;  // the register's bytes before; none when there was no register
    std::string after;                  // its bytes after
    std::string line;                   // the appended line's bytes, without its line end
};

// Appends `entry` as one line. A register whose last line lacks its line end (edited by hand, cut
// short) first gets CR LF, so the entry never fuses with that line. Throws when the register cannot
// be read or replaced; it is then unchanged.
RegisterAppend appendToRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry);

// Appends every entry of `entries`, in order, one line each, in one atomic replacement: all of them
// or none. Each entry is checked (checkRegisterEntry and the text file's encoding) before anything
// is written; a register whose last line lacks its line end first gets CR LF.
void appendAllToRegister(FileSystem& fs, const std::string& registerPath, const std::vector<std::string>& entries);

// Takes an append back: the register becomes exactly what it was (or is removed when the append
// made it) unless something else changed it meanwhile, in which case only the appended line goes.
void undoAppend(FileSystem& fs, const std::string& registerPath, const RegisterAppend& append);

// The register's bytes less one line whose text is `wanted` (bytes as stored): line `row` if it
// holds it, else the nearest line that does, cut as cutForRemoval says. Nothing when no line does.
std::optional<std::string> registerWithoutLine(std::string_view bytes, std::string_view wanted, std::size_t row);

// Takes exactly one line holding `entry` out of the register as it is on disk now: line `row`
// (counted from 0) when it holds the entry, else the holding line nearest to it. Every other line
// reads as before; every other byte stays, but where the line before ends with a lone CR and the
// line after starts with LF (see cutForRemoval). False, with nothing written, when no line holds
// the entry or the register cannot be read or rewritten (the register is then as it was).
bool removeFromRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry, std::size_t row);

// True when the register on disk holds exactly `bytes`; false when it differs, is missing or
// cannot be read. It is read a block at a time, never held whole beside `bytes`.
bool registerHolds(FileSystem& fs, const std::string& registerPath, std::string_view bytes);

// The register becomes `bytes` in one atomic step; false, with the register as it was, when that
// fails.
bool rewriteRegister(FileSystem& fs, const std::string& registerPath, const std::string& bytes);

// "Hide Folder" on the file system: the folder's path is recorded in the register first, durably,
// and only then do its attributes become exactly hidden + system. The entry is checked and the
// folder looked at before anything changes. When the attributes cannot be set, the entry is taken
// out again; so whenever the program stops, a hidden folder has its entry (at worst a visible
// folder keeps one, which the list window handles). When the entry cannot be taken out, the error
// says so and where it stays.
void hideAndRecord(FileSystem& fs, const std::string& folderPath, const std::string& registerPath);

}  // namespace quorvane
