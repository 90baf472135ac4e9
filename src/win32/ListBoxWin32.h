#pragma once

#include <windows.h>

#include "protect/ListBoxView.h"
#include "protect/RegisterLines.h"
#include "win32/Wnd.h"

namespace quorvane::win32 {

// The actions' list box over a list box control of the system's that holds no strings of its own
// (LBS_NODATA, drawn by us at a fixed item height): it knows only the number of items, and each
// item is drawn from the lines' block when it shows. It draws, selects and scrolls as the plain
// control does with the same font and colours; it answers LB_GETTEXT and LB_GETTEXTLEN with the
// items' texts (for screen readers and anyone who asks) and finds an item by its first letter as
// the plain control does.
class ListBoxWin32 final : public Wnd, public ListBoxView {
public:
    // Makes the control; `background` and `text` are its colours (the selection takes the system's).
    bool make(const CreateArgs& args, COLORREF background, COLORREF text);

    int count() const override;
    std::string item(int index) const override;
    void addLines(RegisterLines&& lines) override;
    const RegisterLines* lines() const override { return m_blocks == 1 ? &m_lines : nullptr; }
    int selectedIndex() const override;
    void removeItem(int index) override;
    void clearSelection() override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring shown(int index) const;
    void draw(const DRAWITEMSTRUCT& item) const;
    void updateItemHeight();
    // The item after the caret whose text starts with `c`, round to the start; -1 when none.
    int findByFirstLetter(wchar_t c) const;

    RegisterLines m_lines;
    int m_blocks = 0;
    COLORREF m_background = 0;
    COLORREF m_text = 0;
};

}  // namespace quorvane::win32
