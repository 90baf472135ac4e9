#pragma once

#include <string>
#include <vector>

namespace quorvane {

// A window as the front end knows it, handed through the core untouched: the owner of a modal
// dialog (the front end's own window object or handle).
using WindowHandle = void*;

// The platform's common dialogs, modal and owned by `owner`.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen folder's absolute path (directories of the file system only), or "" on cancel.
    virtual std::string browseForFolder(WindowHandle owner, const std::string& title) = 0;
    // The confirmed file's absolute path, or "" on cancel. A typed name of a missing file comes back
    // as a path in the folder shown. `nameFilters` are in the picker's own form ("Label (*.a *.b)").
    virtual std::string openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                                 const std::string& title) = 0;
};

}  // namespace quorvane
