#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// What decides where the register of hidden folders lives.
struct InstallFacts {
    // Folders where installed programs lie (the install prefix's "bin" and the usual system ones).
    // A program there belongs to the system, not to the user who runs it.
    std::vector<std::string> systemProgramFolders;
    bool applicationDirectoryWritable = true;
    // The user's own data folder for this program ($XDG_DATA_HOME/quorvane, %APPDATA%\Quorvane),
    // when one is known.
    std::optional<std::string> userDataFolder;
    // Folders whose whole tree holds installed programs, each in a folder of its own (Program Files).
    std::vector<std::string> systemProgramTrees;
    // Whether the file system takes "C:\Program Files" and "c:\program files" for one folder.
    bool namesIgnoreCase = false;
};

// The folder that holds "l0g.ext": beside the program for a copy in a folder of the user's own
// (moving the copy moves its register with it); the user's data folder for an installed program,
// which must not keep data in a system folder it cannot (or should not) write.
std::string RegisterFolder(const std::string& applicationDirectory, const InstallFacts& facts);

// Whether the register's folder is made when it is missing: only the user's data folder is. A
// register beside the program lives in the program's folder; when that is gone (renamed away by a
// lock, say), hiding must fail rather than make an empty folder under the old name.
bool RegisterFolderIsMadeWhenMissing(const std::string& registerFolder, const InstallFacts& facts);

// Makes the folder that holds the register `file`, with its parents, when it is missing and is one
// that is made then (RegisterFolderIsMadeWhenMissing); otherwise the folder is left as it is.
// Throws PathNotFound when it cannot be made.
void makeRegisterFolderOf(const std::string& file, const InstallFacts& facts);

// The facts of this machine and user for a program in `applicationDirectory`.
InstallFacts installFactsFor(const std::string& applicationDirectory);

// $XDG_DATA_HOME/quorvane, or ~/.local/share/quorvane when it is unset or not absolute; none
// without a home. Takes the two variables' values (null when unset).
std::optional<std::string> userDataFolderFrom(const char* xdgDataHome, const char* home);

}  // namespace quorvane
