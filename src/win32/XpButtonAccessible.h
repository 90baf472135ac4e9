#pragma once

#include <windows.h>

namespace quorvane::win32 {

class XpButtonWin32;

// What a screen reader learns of one TulmXpButton window, as of the system's own push button: its
// WM_GETOBJECT answered with an IAccessible of its own (role push button, the caption without "&"
// as its name, Alt + the access key as its shortcut, states focused, focusable, unavailable,
// pressed while held, hot tracked, and "Press" as its default action, which queues a click and
// returns), and the focus and state changes announced (NotifyWinEvent). The button hands every
// message to handle() first.
class XpButtonAccessibility {
public:
    // Posted to the button by the default action: the click, run from the message loop.
    static constexpr UINT kPressMessage = WM_USER + 1;

    explicit XpButtonAccessibility(XpButtonWin32& button) : m_button(button) {}

    // Answers WM_GETOBJECT and kPressMessage (true, with `result`); follows the press held and the
    // focus for the others, which the button then handles as before (false).
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Whether the left mouse button, Space or Enter holds the button down now.
    bool isHeld() const { return m_held; }

private:
    void setHeld(bool held);

    XpButtonWin32& m_button;
    bool m_held = false;
};

}  // namespace quorvane::win32
