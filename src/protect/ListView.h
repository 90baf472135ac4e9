#pragma once

namespace quorvane {

class ListBoxView;

// The list window of hidden folders as its form and the main form drive it. The window holds its
// form (frmList), which handles the window's own buttons and double clicks.
class ListView {
public:
    virtual ~ListView() = default;

    // The window's size becomes its frame shape's (the layout's "frameShape"): the height first,
    // then the width.
    virtual void sizeToShape() = 0;
    // List1, the list of register lines.
    virtual ListBoxView& listBox() = 0;
    // Shows the window modally over the main window; returns once it has been unloaded.
    virtual void showModal() = 0;
    // Unloads the window, which ends its modal display.
    virtual void unload() = 0;
};

}  // namespace quorvane
