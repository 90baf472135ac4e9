#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvane::win32 {

// A label drawn on a window's surface, as a screen reader is told of it.
struct AccessibleLabel {
    std::wstring text;
    RECT rect{};  // in the window's client coordinates
    bool visible = true;
};

// A window whose labels are drawn on its surface and have no window of their own.
class FormLabels {
public:
    virtual ~FormLabels() = default;
    virtual std::vector<AccessibleLabel> accessibleLabels() const = 0;
};

// The WM_GETOBJECT answer for the client area of `form` (a Wnd that is FormLabels): the system's
// object for it (its child windows, place, parent, navigation) with the labels added after the
// child windows as static text, simple elements with the ids from the child windows' count + 1 on.
// The labels are asked for anew at each question, on the window's thread.
LRESULT answerFormObject(HWND form, WPARAM wParam);

}  // namespace quorvane::win32
