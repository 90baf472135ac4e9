#include "win32/UserMessages.h"

#include "platform/win32/Win32Text.h"

namespace quorvane {

namespace {

// Text that is no UTF-8 still reaches the user, each byte as the code page reads it.
std::wstring wideText(const std::string& text) {
    if (auto wide = win32::toWide(text)) return *wide;
    return *win32::toWide(win32::fromAnsi(text));
}

}  // namespace

void UserMessagesWin32::messageBox(const std::string& text, int style, const std::optional<std::string>& title) {
    const std::wstring caption = wideText(title.value_or(kAppTitle));
    ::MessageBoxW(::GetActiveWindow(), wideText(text).c_str(), caption.c_str(), static_cast<UINT>(style));
}

void UserMessagesWin32::beep() { ::MessageBeep(MB_OK); }

void UserMessagesWin32::processPendingEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program's own loop ends on it: put it back for that loop to see.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        win32::dispatchMessage(msg);
    }
}

namespace win32 {

UINT accessKeyMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Quorvane.AccessKey");
    return message;
}

void dispatchMessage(MSG& msg) {
    const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && msg.message == WM_SYSCHAR && ::SendMessageW(root, accessKeyMessage(), msg.wParam, 0)) return;
    if (root && ::IsDialogMessageW(root, &msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace win32

}  // namespace quorvane
