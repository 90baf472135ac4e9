#pragma once

#include <string>

namespace quorvane {

class RegisterLines;

// A list box as the actions use it: unsorted items, one selected at most. An item stands for the
// exact line it was loaded from, whatever the window can show of it. A list box over a model holds
// the lines it is given as one block (RegisterLines) and shows them from there, so a list of a
// million lines costs the file's bytes and an index, not an item each.
class ListBoxView {
public:
    virtual ~ListBoxView() = default;

    virtual int count() const = 0;
    // The text of item `index` (0 to count() - 1), as the line it stands for reads.
    virtual std::string item(int index) const = 0;
    // Appends every line of `lines` as an item at the end, in order.
    virtual void addLines(RegisterLines&& lines) = 0;
    // The block the items are, when the list holds exactly the lines of one file as it was given
    // them (less those removed since); null otherwise.
    virtual const RegisterLines* lines() const = 0;
    // The selected item's index, or -1 when none is selected.
    virtual int selectedIndex() const = 0;
    // Removes item `index`; the items after it move up. In the block, every other line reads as
    // before (RegisterLines::remove).
    virtual void removeItem(int index) = 0;
    // No item is selected afterwards.
    virtual void clearSelection() = 0;
};

}  // namespace quorvane
