#include "platform/InstallFacts.h"

namespace quorvane {

namespace {

// "/home/me/" and "/home/me" name the same folder.
std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

}  // namespace

std::optional<std::string> userDataFolderFrom(const char* xdgDataHome, const char* home) {
    // Relative values are invalid for XDG_DATA_HOME and are ignored, as the base directory rules say.
    if (xdgDataHome && xdgDataHome[0] == '/') return withoutTrailingSlashes(xdgDataHome) + "/quorvane";
    if (home && home[0] == '/') {
        const std::string base = withoutTrailingSlashes(home);
        return (base == "/" ? std::string() : base) + "/.local/share/quorvane";
    }
    return std::nullopt;
}

}  // namespace quorvane
