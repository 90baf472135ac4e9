#include "win32/AboutWindowWin32.h"

#include "platform/win32/Win32Text.h"

namespace quorvane::win32 {

AboutWindowWin32::AboutWindowWin32(Services services)
    : FormWindow(FormDescription::embedded("frmAbout"), services.keys), m_form(services, *this) {}

void AboutWindowWin32::showInFront() {
    if (!hwnd()) {
        if (!make(nullptr)) return;
        if (XpButtonWin32* face = button("cmdFace")) face->onClick = [this] { m_form.cmdFace_Click(); };
        if (XpButtonWin32* ok = button("cmdUnload")) ok->onClick = [this] { m_form.cmdUnload_Click(); };
        if (XpButtonWin32* info = button("cmdSysInfo")) info->onClick = [this] { m_form.cmdSysInfo_Click(); };
    }
    if (!m_loaded) {
        m_form.Form_Load();
        m_loaded = true;
        // Loaded again, it stands at its stored place, wherever it was moved before.
        placeWindow();
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (const HWND ok = control("cmdUnload")) ::SetFocus(ok);
}

void AboutWindowWin32::setCaption(const std::string& text) {
    ::SetWindowTextW(hwnd(), toWide(text).value_or(L"").c_str());
}

void AboutWindowWin32::setTitleText(const std::string& text) { setItemText("lblTitle", text); }

void AboutWindowWin32::setPicture1Visible(bool visible) { setControlVisible("Picture1", visible); }

void AboutWindowWin32::setPicture2Visible(bool visible) { setControlVisible("Picture2", visible); }

void AboutWindowWin32::unload() {
    m_loaded = false;
    if (hwnd()) ::ShowWindow(hwnd(), SW_HIDE);
}

}  // namespace quorvane::win32
