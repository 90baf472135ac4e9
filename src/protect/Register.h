#pragma once

#include <string>

namespace quorvane {

class FileSystem;

// The register of hidden folders ("l0g.ext" beside the program): one full path per line, CR LF
// after every line, oldest first, duplicates kept, nothing else. The list window reads and
// rewrites it with LoadListFromFile and SaveListToFile; hiding appends to it here.

// Refuses (throws InvalidPathText) an entry that could not come back as the one line it was:
// a path holding CR or LF would split into wrong entries.
void checkRegisterEntry(const std::string& entry);

// Appends `entry` as one line. A register whose last line lacks its line end (edited by hand, cut
// short) first gets CR LF, so the entry never fuses with that line. All or nothing: when a step
// fails, the register is cut back to what it was (or removed when this append created it) and the
// error goes on. The register's length is read first; when it cannot be, nothing is written.
void appendToRegister(FileSystem& fs, const std::string& registerPath, const std::string& entry);

// "Hide Folder" on the file system: the folder's attributes become exactly hidden + system and its
// path is appended to the register. The entry is checked and the register looked at before
// anything changes. A folder is never left hidden without its record: when the register cannot
// take the entry, the folder gets its previous attributes back and the error goes on.
void hideAndRecord(FileSystem& fs, const std::string& folderPath, const std::string& registerPath);

}  // namespace quorvane
