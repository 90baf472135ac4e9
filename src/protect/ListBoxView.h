#pragma once

#include <string>

namespace quorvane {

// A list box as the actions use it: unsorted items, one selected at most. An item stands for the
// exact line it was added with, whatever the window can show of it.
class ListBoxView {
public:
    virtual ~ListBoxView() = default;

    virtual int count() const = 0;
    // The line item `index` (0 to count() - 1) was added with.
    virtual std::string item(int index) const = 0;
    // Appends an item at the end.
    virtual void addItem(const std::string& line) = 0;
    // The selected item's index, or -1 when none is selected.
    virtual int selectedIndex() const = 0;
    // Removes item `index`; the items after it move up.
    virtual void removeItem(int index) = 0;
    // No item is selected afterwards.
    virtual void clearSelection() = 0;
};

}  // namespace quorvane
