// Disguise: "Lock Folder" appends a shell object's suffix to the folder's name, "Unlock Folder"
// cuts the last extension off again. The name is the only state.
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "protect/Disguise.h"
#include "protect/MainView.h"
#include "protect/PathHelpers.h"
#include "protect/ShellIcon.h"
#include "protect/frmMain.h"

namespace quorvane {

void frmMain::LockFolder() {
    if (m_view.disguiseIndex() == -1) {
        m_services.messages.beep();
        return;
    }
    const int index = m_view.disguiseIndex();
    if (index < 0 || index >= static_cast<int>(DisguiseSuffixes.size()))
        throw PlatformError(errc::SubscriptOutOfRange, describeError(errc::SubscriptOutOfRange));
    const std::string oldName = m_folderPath;
    const std::string newName = oldName + std::string(DisguiseSuffixes[static_cast<std::size_t>(index)]);

    m_services.fs.rename(oldName, newName);
    m_services.messages.messageBox("Folder: \r\n" + oldName + "\r\nLocked!", mb::Information, std::nullopt);
    m_view.setPathText(newName);
    DrawShellIcon(m_services.icons, newName, m_view.currentIcon(), 32);
    FillVar();
}

void frmMain::UnlockFolder() {
    const std::string oldName = m_folderPath;
    const std::string newName = GetFilePath(oldName) + kSeparator + NoExtPath(oldName);

    m_services.fs.rename(oldName, newName);
    m_services.messages.messageBox("Folder: \r\n" + oldName + "\r\nUnlocked!", mb::Information, std::nullopt);
    m_view.setPathText(newName);
    DrawShellIcon(m_services.icons, newName, m_view.currentIcon(), 32);
    FillVar();
}

}  // namespace quorvane
