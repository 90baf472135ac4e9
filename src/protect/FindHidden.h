#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane {

class FileSystem;
class FolderTree;
class PlatformError;

// The way back to folders hidden without a register entry (a register lost with a portable copy,
// a folder hidden by another program): every folder below `top` (not `top` itself) whose
// attributes hold both hidden and system and whose path is no line of the register at
// `registerPath`, in the order of a walk by name. The walk follows no link and stays on the file
// system of `top` (FolderTree). A folder that cannot be read, or whose attributes cannot be told,
// is handed to `skipped` and the walk goes on; so is a hidden folder whose path the register
// cannot hold (a line break in its name, a character the register's encoding lacks). Where the file
// system takes names without regard to case (`namesIgnoreCase`), a register line spelt in another
// ASCII case is the same folder. Throws when `top` itself cannot be read.
std::vector<std::string> findHiddenFolders(FileSystem& fs, FolderTree& tree, const std::string& top,
                                           const std::string& registerPath, bool namesIgnoreCase,
                                           const std::function<void(const PlatformError&)>& skipped);

}  // namespace quorvane
