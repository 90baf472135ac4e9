#pragma once

#include <string>

#include "platform/Registry.h"
#include "platform/Services.h"

namespace quorvane {

class AboutView;

// The about window's form: its load, the portrait swap, and the system information button, over
// the window's view. It lives as long as the window object, across unloads.
class frmAbout {
public:
    frmAbout(Services services, AboutView& view);

    // The load event: the title texts, the drawing in view and the photograph hidden.
    void Form_Load();
    // "&Change...": swaps the portraits.
    void cmdFace_Click();
    // "&OK" (and the close box): unloads the window.
    void cmdUnload_Click();
    // "&System Info...".
    void cmdSysInfo_Click();

    // Starts the system information program, or tells the user it is unavailable.
    void StartSysInfo();
    // One registry value as text; True when one was read (see the core's GetKeyValue).
    bool GetKeyValue(RegKey root, const std::string& keyName, const std::string& valueName, std::string& value);

    // False while the drawing (Picture2) is in view, True for the photograph (Picture1).
    bool PhotoShown() const { return m_photoShown; }

private:
    void showPortrait();

    Services m_services;
    AboutView& m_view;
    bool m_photoShown = false;
};

}  // namespace quorvane
