#pragma once

#include <windows.h>

namespace quorvane::win32 {

// Where and how a window is made. Sizes are device pixels; the caller converts from twips.
struct CreateArgs {
    HWND parent = nullptr;
    const wchar_t* text = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    int id = 0;  // a child's control identifier
};

// A window class of our own, registered once per process by its name.
struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HCURSOR cursor = nullptr;  // the arrow when none
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

// A window and the object that handles its messages. One static window procedure finds the object
// (in the thread's table of our windows, entered at WM_NCCREATE for our classes, at once after
// creation for the system's own controls, which are subclassed) and calls the virtual WndProc;
// messages a class does not handle go to defaultProc. The window is destroyed with the object
// unless it went first.
class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND hwnd() const { return m_hwnd; }

    // The object of a window made through this class, or null.
    static Wnd* fromHandle(HWND hwnd);

protected:
    // A window of one of our classes (registered first if need be). False when it could not be made.
    bool create(const WindowClass& windowClass, const CreateArgs& args);
    // A control of the system's classes ("EDIT", "COMBOBOX", ...), subclassed so that WndProc sees
    // its messages before the class does.
    bool createControl(const wchar_t* className, const CreateArgs& args);

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window's class does with a message.
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A child's WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* messages, sent back to the child's object by
    // its parent: the control handles its own notifications. Returns false when not handled.
    virtual bool onReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Offers a message from a child to the child's object; true when it was handled there.
    static bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    bool m_subclassed = false;
};

}  // namespace quorvane::win32
