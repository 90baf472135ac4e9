// Folder icons: "Open icon" chooses an icon file, "Change Icon" writes it into the folder's
// "desktop.ini" and marks folder and file so that the shell honours it (and tells the file
// managers that read no "desktop.ini"), "Set Default Icon" takes it away again.
#include <exception>

#include "dialogs/ComDialog.h"
#include "icons/DesktopIni.h"
#include "icons/FolderIcons.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/IniWriter.h"
#include "platform/UserMessages.h"
#include "platform/Utf8.h"
#include "protect/MainView.h"
#include "protect/PathHelpers.h"
#include "protect/ShellIcon.h"
#include "protect/frmMain.h"

namespace quorvane {

namespace {

constexpr std::size_t kLongestSkippedPath = 3;  // nothing at all, or a drive root such as C:\ (or /)

// The text with its line breaks made visible, so that the error report can show it on one line.
std::string visible(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "[CR]";
        else if (c == '\n')
            out += "[LF]";
        else if (c == '\0')
            out += "[NUL]";
        else
            out += c;
    }
    return out;
}

// A line break in a path would add lines of its own to "desktop.ini"; such a path is refused
// before anything is written.
void refuseUnstorable(const IniWriter& ini, const char* what, const std::string& text) {
    if (!ini.canStore(text))
        throw PlatformError(errc::InvalidPathText, describeError(errc::InvalidPathText) + ": " + what +
                                                       " cannot be written into desktop.ini: " + visible(text));
}

}  // namespace

void frmMain::LoadIcon() {
    const std::string filter = std::string("Icon files,Exe files") + '\0' + "*.ico;*.exe";
    m_iconFilePath = ShowOpenDialog(m_services.dialogs, m_view.hWnd(), filter, "Select an Icon,..", kOfnExplorer);
    if (Exist(m_services.fs, *m_iconFilePath)) DrawShellIcon(m_services.icons, *m_iconFilePath, m_view.newIcon(), 32);
}

void frmMain::ChangeIcon() {
    if (characterCount(m_folderPath) > kLongestSkippedPath) {
        const std::string folder = m_folderPath;
        const std::string ini = desktopIniOf(folder);
        // No value at all until "Open icon" was first used: the key is removed, not written empty.
        const std::optional<std::string> iconFile = m_iconFilePath;

        refuseUnstorable(m_services.ini, "the folder path", folder);
        if (iconFile) refuseUnstorable(m_services.ini, "the icon file path", *iconFile);
        // One that is no file of its own (a folder, a FIFO, a link) or may not be written is
        // refused before anything changes.
        m_services.fs.checkWritableFile(ini);

        // What the press may have to put back: a write that fails leaves the folder as it was.
        const IconState before = iconStateOf(m_services.fs, folder);
        auto restoring = [&](auto&& action) {
            try {
                action();
            } catch (const PlatformError& error) {
                throw restoreIconState(m_services.fs, folder, before, error);
            }
        };
        restoring([&] {
            m_services.ini.writeString(kShellClassInfo, kIconFileKey, iconFile, ini);
            m_services.ini.writeString(kShellClassInfo, kIconIndexKey, "0", ini);
        });
        // A hidden folder stays hidden: the custom icon adds System and takes nothing away.
        m_services.fs.setAttributes(folder, IconFolderAttributes(before.folderAttributes));
        m_services.fs.setAttributes(ini, attr::Hidden | attr::System);
        restoring([&] { TellFileManagers(m_services.fileManagers, m_services.fs, folder, iconFile); });
        m_services.messages.messageBox("Icon Changed", mb::Information, std::string(kAppTitle));
        DrawShellIcon(m_services.icons, m_folderPath, m_view.currentIcon(), 32);
    }
    FillVar();
}

void frmMain::SetDefault() {
    // Each step that fails is skipped and the next one runs; nothing is ever shown.
    auto step = [](auto&& action) {
        try {
            action();
        } catch (const std::exception&) {
        }
    };
    step([&] { FillVar(); });
    ResetFolderIcon(m_services.fs, m_services.ini, m_services.fileManagers, m_folderPath);
    step([&] { DrawShellIcon(m_services.icons, m_folderPath, m_view.currentIcon(), 32); });
}

}  // namespace quorvane
