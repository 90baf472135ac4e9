#include "protect/frmList.h"

#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "protect/ErrorReport.h"
#include "protect/ListBoxFile.h"
#include "protect/ListBoxView.h"
#include "protect/ListView.h"
#include "protect/Register.h"
#include "protect/RegisterLines.h"

namespace quorvane {

namespace {
constexpr const char* kTitle = "huh?";
}  // namespace

frmList::frmList(Services services, ListView& view, std::string registerFilePath)
    : m_services(services), m_view(view), m_registerFilePath(std::move(registerFilePath)) {}

void frmList::Form_Load() { m_view.sizeToShape(); }

void frmList::cmd_Click(std::int16_t Index) {
    if (Index == 1) {
        m_view.unload();
        return;
    }
    runReported(m_services.messages, [this] { ShowFolder(); });
}

void frmList::List1_DblClick() {
    runReported(m_services.messages, [this] { ShowFolder(); });
}

void frmList::ShowFolder() {
    ListBoxView& list = m_view.listBox();
    const int selected = list.selectedIndex();
    const std::string path = selected >= 0 ? list.item(selected) : std::string();
    if (path.empty()) {
        m_services.messages.messageBox("Select a folder!", mb::Information, std::string(kTitle));
        return;
    }
    m_services.fs.setAttributes(path, attr::Archive);
    // A list that holds the register exactly as it still is on disk is written back without the
    // line from its own block, streamed, never a second copy of a long register in memory.
    const RegisterLines* held = list.lines();
    const bool asOnDisk = held && registerHolds(m_services.fs, m_registerFilePath, held->bytes());
    list.removeItem(selected);
    list.clearSelection();
    if (asOnDisk) {
        rewriteRegister(m_services.fs, m_registerFilePath, held->bytes());
    } else {
        // The register on disk loses exactly this entry; what the list may lack (a load cut short,
        // a folder hidden meanwhile by another copy of the program) stays in it.
        removeFromRegister(m_services.fs, m_registerFilePath, path, static_cast<std::size_t>(selected));
    }
    m_services.messages.messageBox("The Folder: \r\n" + path + "\r\n  it's visible now,..", mb::Information,
                                   std::string(kTitle));
}

}  // namespace quorvane
