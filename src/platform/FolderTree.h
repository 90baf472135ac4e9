#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

// The folders inside a folder, for walks that stay on one file system and follow no link.
class FolderTree {
public:
    virtual ~FolderTree() = default;
    // The full paths (`folder`, the separator, the name) of the folders directly inside `folder`,
    // sorted by name: real folders on the same file system as `folder` only, never a link, a
    // junction or a mount point. Throws PlatformError when `folder` cannot be read.
    virtual std::vector<std::string> subfolders(const std::string& folder) = 0;
};

// This system's folder tree (posix/FolderTree.cpp or win32/FolderTree.cpp, picked by the build).
std::unique_ptr<FolderTree> makeFolderTree();

// The folder that holds the running program, without a trailing separator unless it is a root.
std::string programDirectory();

}  // namespace quorvane
