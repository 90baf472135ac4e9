#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "win32/XpButtonClass.h"

namespace quorvane::test {

// The real quorvane.exe started in its own process and driven from outside as a user would: its
// windows found on screen, messages posted to its controls, its pixels read from the screen.
class ProgramDriver {
public:
    // Starts `program` (a copy in a folder of its own) with `arguments` on its command line and
    // waits for its main window to show. With `defaultPlace`, the system's default place for the
    // program's first new window is there, as a launcher asks for it (STARTF_USEPOSITION).
    explicit ProgramDriver(const std::wstring& program, const std::wstring& arguments = L"",
                           std::optional<POINT> defaultPlace = std::nullopt);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    HWND mainWindow() const { return m_main; }
    // A visible top-level window of the program with this title, waited for up to `ms`.
    HWND waitForWindow(const std::wstring& title, int ms = 5000) const;
    // The child of `window` of this class whose text is `text` (a button's caption), or null.
    static HWND child(HWND window, const std::wstring& className, const std::wstring& text);

    // The button (kXpButtonClassName) of `window` with this caption, or null.
    static HWND button(HWND window, const std::wstring& caption);
    // A left click at (x, y) of the control's client area, as posted mouse messages.
    static void click(HWND control, int x = 5, int y = 5);
    // A button of `window` (kXpButtonClassName) clicked by its caption; false when there is none.
    static bool clickButton(HWND window, const std::wstring& caption);

    // A window's text, and a new one put in as the control's own (an edit box, the path box).
    static std::wstring text(HWND window);
    static void setText(HWND window, const std::wstring& text);

    // Real input, as a user's reaches the program: xdotool on the Linux side sends it to the X
    // display (XTEST), so it passes the window manager and wine's input queue, with capture, focus
    // and activation as they come. `arguments` are xdotool's (commands may be chained); each call
    // returns once xdotool has sent everything. Points are in `window`'s client area.
    static void xdotool(const std::string& arguments);
    static POINT onScreen(HWND window, int x, int y);
    // The pointer moved to the point, as one jump.
    static void pointTo(HWND window, int x, int y);
    // The pointer moved to the point, and the left button pressed or released there.
    static void pressAt(HWND window, int x, int y);
    static void releaseAt(HWND window, int x, int y);
    static void clickAt(HWND window, int x, int y);
    static void doubleClickAt(HWND window, int x, int y);
    // Pressed at the point, moved a little (a window's drag starts there), then by (dx, dy) in
    // steps, released.
    static void dragBy(HWND window, int x, int y, int dx, int dy);
    // Keys by xdotool's names ("Tab", "shift+Tab", "alt+c", "space", "Return"), typed, or pressed
    // and released separately.
    static void keys(const std::string& names);
    static void keyDown(const std::string& name);
    static void keyUp(const std::string& name);
    // The window with the keyboard focus in `window`'s thread, once it is `expected` or after
    // `ms` have passed.
    static HWND focusSettlesOn(HWND window, HWND expected, int ms = 2000);
    // The window's top-left corner on the screen, once it is `expected` or after `ms`.
    static POINT positionSettlesOn(HWND window, POINT expected, int ms = 2000);

    // The message box with this title: waited for, its text read, closed with its OK button, and
    // waited for until it has gone. Its text, or "<none>" when no such box came.
    std::wstring answerMessageBox(const std::wstring& title) const;
    // Waits until `window` has gone or is hidden; false if it is still there after `ms`.
    static bool waitUntilGone(HWND window, int ms = 5000);
    // Lets the program handle what it was sent (it paints, opens windows).
    static void settle(int ms = 300);

    // The client area's pixels (0x00RRGGBB, rows top to bottom) as the screen shows them.
    static std::vector<std::uint32_t> screenPixels(HWND window, int& width, int& height);
    // Waits until the client area's pixel at (x, y) shows `colour` (0x00RRGGBB) on screen, up to
    // `ms`: the window has painted. False if it did not.
    static bool waitForPixel(HWND window, int x, int y, std::uint32_t colour, int ms = 5000);
    static SIZE clientSize(HWND window);
    // The top-left corner of the window's client area on the screen.
    static POINT clientOrigin(HWND window);
    // A combo box's list dropped down, waited for until it shows; null if it did not.
    static HWND dropDown(HWND combo);

    // The window told that its monitor's DPI is now `dpi`, with the rectangle the system suggests
    // for it (WM_DPICHANGED, as the system sends it when the window moves to another monitor or the
    // scale changes; wine never does). Returns once the program has handled it.
    void changeDpi(HWND window, int dpi, const RECT& suggested) const;

    // Waits for the process to end; its exit code, or -1 if it is still running after `ms`.
    int waitForExit(int ms = 5000);

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

// A file's bytes as they are on disk, or "<missing>".
std::string fileBytes(const std::wstring& path);

// A portable copy of the program under test (QUORVANE_PROGRAM) in a fresh folder of its own, so its
// register "l0g.ext" lies beside it.
class ProgramCopy {
public:
    ProgramCopy();
    const std::wstring& path() const { return m_path; }
    // A file beside the program, and one written there with these bytes.
    std::wstring file(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

private:
    TempDir m_folder;
    std::wstring m_path;
};

}  // namespace quorvane::test
