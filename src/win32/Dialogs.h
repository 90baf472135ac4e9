#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace quorvane {

// The system's common dialogs, modal and owned by `owner` (a window handle). Texts are UTF-8.
class DialogsWin32 final : public Dialogs {
public:
    // The shell's folder browser (SHBrowseForFolderW) with `title` as its instruction; only folders of
    // the file system can be confirmed. The chosen folder's path, or "" on cancel.
    std::string browseForFolder(WindowHandle owner, const std::string& title) override;
    // The explorer-style file-open dialog (GetOpenFileNameW) with the window title `title` and the
    // file types of `nameFilters` ("Label (*.a *.b)"). The confirmed file's full path (a typed name of a
    // missing file included), or "" on cancel and for a path longer than the dialog's 254 characters.
    std::string openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                         const std::string& title) override;
};

namespace win32 {
// The dialog's own filter list for picker filters: "Label (*.a *.b)" becomes "Label", NUL, "*.a;*.b",
// NUL; a filter without patterns in brackets is taken as its own pattern. The list's closing NUL is the
// string's terminator.
std::wstring openFileFilter(const std::vector<std::string>& nameFilters);
}  // namespace win32

}  // namespace quorvane
