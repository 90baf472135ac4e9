#include "win32/ListBoxWin32.h"

#include "platform/win32/Win32Text.h"

namespace quorvane::win32 {

int ListBoxWin32::count() const { return static_cast<int>(m_lines.size()); }

std::string ListBoxWin32::item(int index) const {
    return index >= 0 && index < count() ? m_lines[static_cast<std::size_t>(index)] : std::string();
}

void ListBoxWin32::addItem(const std::string& line) {
    m_lines.push_back(line);
    // Text that is no UTF-8 shows byte by byte as the code page reads it; the item keeps its line.
    const std::wstring shown = toWide(line).value_or(toWide(fromAnsi(line)).value_or(L""));
    ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

int ListBoxWin32::selectedIndex() const {
    const LRESULT selected = ::SendMessageW(m_list, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void ListBoxWin32::removeItem(int index) {
    if (index < 0 || index >= count()) return;
    m_lines.erase(m_lines.begin() + index);
    ::SendMessageW(m_list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxWin32::clearSelection() { ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

}  // namespace quorvane::win32
