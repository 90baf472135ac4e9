#include "layouts/frmAbout.h"

#include "platform/PathSeparator.h"
#include "layouts/AboutView.h"
#include "layouts/SysInfo.h"

namespace quorvane {

namespace {
constexpr const char* kProductTitle = "Taskelin Hide/Protect Folder 2.00";
}  // namespace

frmAbout::frmAbout(Services services, AboutView& view) : m_services(services), m_view(view) {}

void frmAbout::Form_Load() {
    m_view.setCaption("About ");
    m_view.setTitleText(kProductTitle);
    m_photoShown = false;
    showPortrait();
}

void frmAbout::showPortrait() {
    m_view.setPicture2Visible(!m_photoShown);
    m_view.setPicture1Visible(m_photoShown);
}

void frmAbout::cmdFace_Click() {
    m_photoShown = !m_photoShown;
    showPortrait();
}

void frmAbout::cmdUnload_Click() { m_view.unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    quorvane::StartSysInfo(m_services.registry, m_services.fs, m_services.launcher, m_services.messages, kSeparator);
}

bool frmAbout::GetKeyValue(RegKey root, const std::string& keyName, const std::string& valueName, std::string& value) {
    return quorvane::GetKeyValue(m_services.registry, root, keyName, valueName, value);
}

}  // namespace quorvane
