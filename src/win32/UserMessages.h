#pragma once

#include <windows.h>

#include "platform/UserMessages.h"

namespace quorvane {

// Message boxes of the system (MessageBoxW), owned by this thread's active window so that it
// takes no input meanwhile; the system's warning sound; the thread's queued messages.
class UserMessagesWin32 final : public UserMessages {
public:
    void messageBox(const std::string& text, int style, const std::optional<std::string>& title) override;
    void beep() override;
    void processPendingEvents() override;
};

namespace win32 {
// Hands one message to its window, with the dialog keys (Tab, Shift+Tab, arrows) handled for the
// top-level window it belongs to; Alt + a key is first offered to that window as accessKeyMessage.
// The program's message loop uses it as well.
void dispatchMessage(MSG& msg);

// Sent to a top-level window with the character of Alt + a key in wParam; a window that presses a
// control for it returns non-zero, and the key goes no further.
UINT accessKeyMessage();
}  // namespace win32

}  // namespace quorvane
