#pragma once

#include <optional>
#include <string>

#include "platform/FileManagerIcons.h"

namespace quorvane {

class FileSystem;
class IniWriter;

// The icon file managers are to show for `folder` once its "desktop.ini" names `iconFile` under
// "iconfile": nothing (the default icon) when no file or "" is named or the named file does not
// exist; the desktop theme's generic program icon for an ".exe", whose icon resources are not
// read, as our own icon painter does; the file itself otherwise. A relative name belongs to the
// folder, as it does for the shell.
std::optional<FolderIcon> FileManagerIconFor(FileSystem& fs, const std::string& folder,
                                             const std::optional<std::string>& iconFile);

// After "Change Icon": tells the file managers that read no "desktop.ini" which icon `folder` now
// has. A failure is passed over, as a failing write of "desktop.ini" is: the file managers keep
// what they showed.
void TellFileManagers(FileManagerIcons& managers, FileSystem& fs, const std::string& folder,
                      const std::optional<std::string>& iconFile) noexcept;

// "Set Default Icon" on `folder`, every step that fails skipped and the next one run:
// 1. "desktop.ini": deleted when it holds nothing besides its [.ShellClassInfo] header and the
//    keys "iconfile" and "iconindex"; otherwise only those two keys are removed, through the
//    profile writer, and the file stays with its attributes. A file that cannot be read is left
//    alone: nothing is deleted unseen.
// 2. The folder's attributes become Archive, plus System when the folder has it and "desktop.ini"
//    stayed, since the shell reads the rest of the file only in a System folder.
// 3. The file managers show the default icon again (their own records follow the same rule).
// An empty path names no folder: nothing is deleted or changed.
void ResetFolderIcon(FileSystem& fs, IniWriter& ini, FileManagerIcons& managers, const std::string& folder) noexcept;

}  // namespace quorvane
