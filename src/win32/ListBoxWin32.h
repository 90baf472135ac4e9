#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "protect/ListBoxView.h"

namespace quorvane::win32 {

// The actions' list box over a list box control of the system's. Each item keeps the exact line it
// was added with; the control shows it as wide text.
class ListBoxWin32 final : public ListBoxView {
public:
    void attach(HWND list) { m_list = list; }

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& line) override;
    int selectedIndex() const override;
    void removeItem(int index) override;
    void clearSelection() override;

private:
    HWND m_list = nullptr;
    std::vector<std::string> m_lines;
};

}  // namespace quorvane::win32
