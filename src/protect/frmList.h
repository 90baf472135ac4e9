#pragma once

#include <cstdint>
#include <string>

#include "platform/Services.h"

namespace quorvane {

class ListView;

// The list window's form: one item per register line, in file order. "Show Folder" (or a double
// click on an item) makes the selected folder visible again and rewrites the register without its
// line; "Close" unloads the window. It lives as long as its window, which is made anew for every
// opening, so it always shows the register as it stands.
class frmList {
public:
    frmList(Services services, ListView& view, std::string registerFilePath);

    // The load event: the window takes its frame's size.
    void Form_Load();
    // The buttons' handler: 1 unloads the window, any other index runs ShowFolder. A failure goes
    // to the error report and the window stays.
    void cmd_Click(std::int16_t Index);
    // The list's double click: ShowFolder, its failures reported as the buttons' are.
    void List1_DblClick();
    // Makes the selected folder visible and drops its line; fails (throws) when the attributes
    // cannot be set, leaving the list and the register as they were.
    void ShowFolder();

private:
    Services m_services;
    ListView& m_view;
    std::string m_registerFilePath;
};

}  // namespace quorvane
