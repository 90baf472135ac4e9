#include "protect/FolderArgument.h"

#include <filesystem>
#include <system_error>

#include "platform/Error.h"

namespace quorvane {

namespace {

std::filesystem::path fromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string toUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string absolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(fromUtf8(path), error);
    if (error) return path;
    full = full.lexically_normal();
    // "/a/b/" keeps an empty last name after normalising: the separator goes, a root's stays.
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();
    return toUtf8(full.make_preferred());
}

void checkIsFolder(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fromUtf8(path), error);
    if (path.empty() || !std::filesystem::exists(status)) throw errorFor(errc::PathNotFound, path);
    if (!std::filesystem::is_directory(status))
        throw PlatformError(errc::PathFileAccessError,
                            describeError(errc::PathFileAccessError) + ": " + path + " is not a folder");
}

}  // namespace quorvane
