#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Error.h"
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
// has. Throws PlatformError when one of their records cannot be written; that record is then as it
// was (FileManagerIcons).
void TellFileManagers(FileManagerIcons& managers, FileSystem& fs, const std::string& folder,
                      const std::optional<std::string>& iconFile);

// The attributes "Change Icon" gives a folder that has `before`: System, and Hidden when the folder
// had it, so that a hidden folder stays hidden (and listed in its parent's ".hidden").
std::uint32_t IconFolderAttributes(std::uint32_t before);

// The attributes "Set Default Icon" gives a folder that has `before`: Archive; a hidden folder keeps
// Hidden and System, which hiding set together; System also stays when "desktop.ini" does
// (`iniKept`), since the shell reads the rest of the file only in a System folder.
std::uint32_t DefaultFolderAttributes(std::uint32_t before, bool iniKept);

// What "Change Icon" changes, as it was before the press.
struct IconState {
    std::uint32_t folderAttributes = 0;
    std::optional<std::string> ini;                 // "desktop.ini" as stored; none when there was none
    std::optional<std::uint32_t> iniAttributes;     // its attributes, when it was there
};

// Reads the state of `folder` and its "desktop.ini"; throws PlatformError when either cannot be
// read (a missing folder among them), before anything changes.
IconState iconStateOf(FileSystem& fs, const std::string& folder);

// Puts `folder` and its "desktop.ini" back as `before` after `failure` ended "Change Icon", and gives
// the error to report: `failure` itself, or `failure` followed by what could not be put back and
// where it stands.
PlatformError restoreIconState(FileSystem& fs, const std::string& folder, const IconState& before,
                               const PlatformError& failure) noexcept;

// "Set Default Icon" on `folder`, every step that fails skipped and the next one run:
// 1. "desktop.ini": deleted when it holds nothing besides its [.ShellClassInfo] header and the
//    keys "iconfile" and "iconindex"; otherwise only those two keys are removed, through the
//    profile writer, and the file stays with its attributes. A file that cannot be read is left
//    alone: nothing is deleted unseen.
// 2. The folder's attributes become DefaultFolderAttributes of those it has: a hidden folder stays
//    hidden.
// 3. The file managers show the default icon again (their own records follow the same rule).
// An empty path names no folder: nothing is deleted or changed.
void ResetFolderIcon(FileSystem& fs, IniWriter& ini, FileManagerIcons& managers, const std::string& folder) noexcept;

}  // namespace quorvane
