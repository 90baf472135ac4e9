#pragma once

#include <string>

#include "platform/InstallFacts.h"

namespace quorvane {

class FileSystem;

// The folder that holds "l0g.ext": beside the program for a copy in a folder of the user's own
// (moving the copy moves its register with it); the user's data folder for an installed program,
// which must not keep data in a system folder it cannot (or should not) write.
std::string RegisterFolder(const std::string& applicationDirectory, const InstallFacts& facts);

// Whether the register's folder is made when it is missing: only the user's data folder is. A
// register beside the program lives in the program's folder; when that is gone (renamed away by a
// lock, say), hiding must fail rather than make an empty folder under the old name.
bool RegisterFolderIsMadeWhenMissing(const std::string& registerFolder, const InstallFacts& facts);

// Makes the folder that holds the register `file`, with its parents, when it is missing and is one
// that is made then (RegisterFolderIsMadeWhenMissing); otherwise the folder is left as it is.
// Fails as FileSystem::makeFolders does when it cannot be made.
void makeRegisterFolderOf(FileSystem& fs, const std::string& file, const InstallFacts& facts);

}  // namespace quorvane
