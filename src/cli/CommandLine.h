#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvane {

class FileSystem;
class FileManagerIcons;
class FolderTree;
class IniWriter;
class ProgramLauncher;
class Registry;

namespace cli {

inline constexpr const char* kProgramName = "quorvane";

// The command line of scripts: each command presses the main window's buttons (and the list
// window's) on a window with no display, so every rule, message and safety of the actions is the
// one the windows have. Exit status 0 when the action succeeded (its message on standard output),
// 1 when it failed (the error report's text on standard error, after the program's name), 2 for a
// wrong command or argument (the usage on standard error).

// Whether `args` (the arguments after the program's name) ask for a command rather than the
// windows: a command's name or an option first, or a word without a separator that names nothing
// (a mistyped command). Anything else is a folder to start the windows with.
bool isCommand(const std::vector<std::string>& args);

// What the commands work with: the core's services of this system, the walk of folder trees, the
// program's folder (which decides where the register lies) and the two output streams.
struct Environment {
    FileSystem& fs;
    IniWriter& ini;
    Registry& registry;
    ProgramLauncher& launcher;
    FileManagerIcons& fileManagers;
    FolderTree& tree;
    std::string applicationDirectory;
    std::ostream& out;
    std::ostream& err;
};

// Runs the command in `args`; the exit status.
int run(const std::vector<std::string>& args, const Environment& env);

// Runs it with this system's services, the running program's folder, and the standard streams.
int runConsole(const std::vector<std::string>& args);

// The usage text, as --help prints it.
std::string usage();

}  // namespace cli
}  // namespace quorvane
