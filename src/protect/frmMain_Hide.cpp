// Hiding: "Hide Folder" records the folder in the register; "Show Folder" opens the list of
// hidden folders, filled from the register.
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxFile.h"
#include "protect/ListView.h"
#include "protect/MainView.h"
#include "protect/PathHelpers.h"
#include "protect/Register.h"
#include "protect/RegisterLocation.h"
#include "protect/frmMain.h"

namespace quorvane {

namespace {

// Sets a flag for as long as it lives.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_previous; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

}  // namespace

void frmMain::HideFolder() {
    const std::string path = m_folderPath;
    // An installed program keeps its register in the user's data folder, made on the first hide;
    // a register beside the program whose folder is gone is not made again.
    makeRegisterFolderOf(m_services.fs, m_registerFilePath, installFactsFor(m_applicationDirectory));
    hideAndRecord(m_services.fs, path, m_registerFilePath);
    m_services.messages.messageBox("The folder: \r\n" + path + "\r\n  it's not visible now", mb::Information,
                                   std::string("yeah!"));
    FillVar();
}

void frmMain::ShowList() {
    if (m_list) return;  // it is open already: one list window at a time
    if (!Exist(m_services.fs, m_registerFilePath)) return;

    // The loading pumps events: commands on this window wait until the list window has closed.
    const FlagScope busy(m_busy);
    const std::unique_ptr<ListView> list = m_view.loadList(m_registerFilePath);
    m_list = list.get();
    struct Forget {
        ListView*& list;
        ~Forget() { list = nullptr; }
    } forget{m_list};

    LoadListFromFile(m_services.fs, m_services.messages, list->listBox(), m_registerFilePath);
    list->showModal();
}

}  // namespace quorvane
