#pragma once

#include <string>
#include <string_view>

#include "platform/PathSeparator.h"

namespace quorvane {

class FileSystem;

// The path helpers the folder actions share. They compare single characters exactly ("." and the
// separator only); `sep` is the platform's separator unless a caller asks for the other form.

// True when the file-length query succeeds for `path`, whatever the length; never fails.
bool Exist(FileSystem& fs, const std::string& path);

// The last name of `path` without its last extension; "" when the last dot lies before the last
// separator, when the name starts with its only dot, or when there is no separator at all.
std::string NoExtPath(std::string_view path, char sep = kSeparator);

// The text before the last separator, or "" when there is none.
std::string GetFilePath(std::string_view path, char sep = kSeparator);

// `path` with one separator at its end; "" gives the separator alone.
std::string Slash(std::string_view path, char sep = kSeparator);

}  // namespace quorvane
