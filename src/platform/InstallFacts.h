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

// The facts of this machine and user for a program in `applicationDirectory` (each system's own,
// in posix/ or win32/).
InstallFacts installFactsFor(const std::string& applicationDirectory);

// $XDG_DATA_HOME/quorvane, or ~/.local/share/quorvane when it is unset or not absolute; none
// without a home. Takes the two variables' values (null when unset).
std::optional<std::string> userDataFolderFrom(const char* xdgDataHome, const char* home);

}  // namespace quorvane
