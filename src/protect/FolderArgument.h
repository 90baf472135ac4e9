#pragma once

#include <string>

namespace quorvane {

// A folder named from outside the windows (the program's arguments, a file manager's menu), where
// the folder browser would only have offered existing folders by their full paths.

// `path` (a folder or a file) as a full path, made absolute against the current folder and without "." or ".." parts or
// a trailing separator (a root keeps its own). The text is UTF-8 on every system.
std::string absolutePath(const std::string& path);

// Throws PlatformError unless `path` names an existing folder (a link to one counts): Path not
// found for nothing there, Path/File access error for something that is not a folder.
void checkIsFolder(const std::string& path);

}  // namespace quorvane
