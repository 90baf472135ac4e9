#pragma once

// Before the Windows headers, whose registry names are macros.
#include "layouts/frmAbout.h"
// after the form
#include "platform/Services.h"
#include "win32/FormWindow.h"
#include "layouts/AboutView.h"

namespace quorvane::win32 {

// The about window as a native window: a fixed dialog frame, modeless, owned by none of the
// program's visible windows (a hidden one keeps it off the taskbar); its buttons go to its form.
// Unloading hides it; showing it again loads it afresh.
class AboutWindowWin32 final : public FormWindow, public AboutView {
public:
    explicit AboutWindowWin32(Services services);

    frmAbout& form() { return m_form; }
    // Loads the window unless it is loaded, shows it and brings it to the front.
    void showInFront();

    void setCaption(const std::string& text) override;
    void setTitleText(const std::string& text) override;
    void setPicture1Visible(bool visible) override;
    void setPicture2Visible(bool visible) override;
    void unload() override;

protected:
    void onClose() override { m_form.cmdUnload_Click(); }
    void onEscape() override { m_form.cmdUnload_Click(); }

private:
    frmAbout m_form;
    bool m_loaded = false;
};

}  // namespace quorvane::win32
