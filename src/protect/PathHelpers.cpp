#include "protect/PathHelpers.h"

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace quorvane {

bool Exist(FileSystem& fs, const std::string& path) {
    try {
        fs.fileLength(path);
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

std::string NoExtPath(std::string_view path, char sep) {
    // Positions as counted in the reversed path: 1 + the number of characters after the mark.
    const auto lastSep = path.rfind(sep);
    const auto lastDot = path.rfind('.');
    const long long a = lastSep == std::string_view::npos ? 0 : static_cast<long long>(path.size() - lastSep);
    const long long b = lastDot == std::string_view::npos ? 0 : static_cast<long long>(path.size() - lastDot);
    if (a == 0) return {};
    const std::string_view tail = path.substr(path.size() - static_cast<std::size_t>(a - 1));
    const long long n = a - b - 1;
    if (n < 0) return {};
    return std::string(tail.substr(0, static_cast<std::size_t>(n)));
}

std::string GetFilePath(std::string_view path, char sep) {
    const auto p = path.rfind(sep);
    if (p == std::string_view::npos) return {};
    return std::string(path.substr(0, p));
}

std::string Slash(std::string_view path, char sep) {
    std::string result(path);
    if (result.empty() || result.back() != sep) result.push_back(sep);
    return result;
}

}  // namespace quorvane
