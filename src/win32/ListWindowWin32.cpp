#include "win32/ListWindowWin32.h"

#include "win32/UserMessages.h"

namespace quorvane::win32 {

ListWindowWin32::ListWindowWin32(Services services, const std::string& registerFilePath, HWND owner)
    : FormWindow(FormDescription::embedded("frmList"), services.keys),
      m_owner(owner),
      m_form(services, *this, registerFilePath) {
    if (!make(owner)) return;
    m_list1 = FormWindow::listBox("List1");
    for (int i = 0; i < 2; ++i) {
        if (XpButtonWin32* button = this->button("cmd", i))
            button->onClick = [this, i] { m_form.cmd_Click(static_cast<std::int16_t>(i)); };
    }
    m_form.Form_Load();
}

ListWindowWin32::~ListWindowWin32() {
    if (m_owner) ::EnableWindow(m_owner, TRUE);
}

void ListWindowWin32::sizeToShape() { sizeToFrameShape(); }

bool ListWindowWin32::onCommand(HWND control, WORD code) {
    if (control == this->control("List1") && code == LBN_DBLCLK) {
        m_form.List1_DblClick();
        return true;
    }
    return false;
}

void ListWindowWin32::showModal() {
    if (!hwnd()) return;
    // The owner takes no input while the list is up; the list's own loop runs until it is unloaded.
    m_shown = true;
    if (m_owner) ::EnableWindow(m_owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    focusFirst();
    MSG msg;
    while (m_shown && hwnd()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: its own loop sees the quit as well.
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        dispatchMessage(msg);
    }
    if (m_owner) {
        ::EnableWindow(m_owner, TRUE);
        ::SetForegroundWindow(m_owner);
    }
}

void ListWindowWin32::unload() {
    m_shown = false;
    if (m_owner) ::EnableWindow(m_owner, TRUE);
    if (hwnd()) ::ShowWindow(hwnd(), SW_HIDE);
    // The loop of showModal ends with the next message it takes.
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
}

}  // namespace quorvane::win32
