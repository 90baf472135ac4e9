#include "protect/RegisterLocation.h"

#include <algorithm>

namespace quorvane {

namespace {

// "/usr/bin/" and "/usr/bin" name the same folder.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

}  // namespace

std::string RegisterFolder(const std::string& applicationDirectory, const InstallFacts& facts) {
    if (!facts.userDataFolder) return applicationDirectory;
    const std::string folder = withoutTrailingSeparators(applicationDirectory);
    const bool installed =
        std::any_of(facts.systemProgramFolders.begin(), facts.systemProgramFolders.end(),
                    [&](const std::string& system) { return withoutTrailingSeparators(system) == folder; });
    return installed || !facts.applicationDirectoryWritable ? *facts.userDataFolder : applicationDirectory;
}

bool RegisterFolderIsMadeWhenMissing(const std::string& registerFolder, const InstallFacts& facts) {
    return facts.userDataFolder &&
           withoutTrailingSeparators(*facts.userDataFolder) == withoutTrailingSeparators(registerFolder);
}

std::optional<std::string> userDataFolderFrom(const char* xdgDataHome, const char* home) {
    // Relative values are invalid for XDG_DATA_HOME and are ignored, as the base directory rules say.
    if (xdgDataHome && xdgDataHome[0] == '/') return withoutTrailingSeparators(xdgDataHome) + "/quorvane";
    if (home && home[0] == '/') {
        const std::string base = withoutTrailingSeparators(home);
        return (base == "/" ? std::string() : base) + "/.local/share/quorvane";
    }
    return std::nullopt;
}

}  // namespace quorvane
