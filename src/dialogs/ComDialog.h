#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace quorvane {

// Flags of the file-open request. The picker is always the explorer-style one, and a typed name
// need not exist; no other flag is offered.
inline constexpr std::uint32_t kOfnExplorer = 0x80000;

// The longest path the file-open dialog hands back (its result buffer holds 254 characters).
inline constexpr std::size_t kOpenDialogMaxPath = 254;

// Runs the folder browser owned by `owner` with `title` as its instruction; the chosen folder's
// full path, or "" on cancel or failure. Never raises an error.
std::string BrowseForFolder(Dialogs& dialogs, WindowHandle owner, const std::string& title);

// The file types of a filter list in the dialog's own form (a description, NUL, its patterns
// separated by ";", and so on, trailing NULs allowed) in the picker's form, "Label (*.a *.b)".
std::vector<std::string> pickerNameFilters(const std::string& filter);

// Runs the file-open picker owned by `owner` with the window title `title` and the file types of
// `filter` (the dialog's own form, as above). The confirmed file's full path, a typed name of a
// missing file included; "" on cancel, on failure and for a path longer than 254 characters.
// Never raises an error.
std::string ShowOpenDialog(Dialogs& dialogs, WindowHandle owner, const std::string& filter, const std::string& title,
                           std::uint32_t flags);

}  // namespace quorvane
