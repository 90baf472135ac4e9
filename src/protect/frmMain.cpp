#include "protect/frmMain.h"

#include <exception>

#include "dialogs/ComDialog.h"
#include "platform/Error.h"
#include "platform/Utf8.h"
#include "protect/Disguise.h"
#include "protect/ErrorReport.h"
#include "protect/FolderArgument.h"
#include "protect/MainView.h"
#include "protect/PathHelpers.h"
#include "protect/RegisterLocation.h"
#include "protect/ShellIcon.h"

namespace quorvane {

frmMain::frmMain(Services services, MainView& view, std::string applicationDirectory)
    : m_services(services), m_view(view), m_applicationDirectory(std::move(applicationDirectory)) {}

void frmMain::Form_Load() {
    m_view.sizeToShape();
    for (std::string_view caption : kDisguiseCaptions) m_view.addDisguise(std::string(caption));
    m_view.setDisguiseIndex(-1);
    m_view.setPathText(m_applicationDirectory);
    m_folderPath = m_view.pathText();
    m_registerFilePath =
        Slash(RegisterFolder(m_applicationDirectory, installFactsFor(m_applicationDirectory))) + "l0g.ext";
    DrawShellIcon(m_services.icons, m_folderPath, m_view.currentIcon(), 32);
}

void frmMain::cmd_Click(std::int16_t Index) {
    if (m_busy) return;  // an action is still running (for instance loading the list window)
    runReported(m_services.messages, [&] {
        switch (Index) {
            case 0:
                FolderIcon();
                break;
            case 1:
                LockFolder();
                break;
            case 2:
                UnlockFolder();
                break;
            case 3:
                HideFolder();
                break;
            case 4:
                ShowList();
                break;
            case 5:
                LoadIcon();
                break;
            case 6:
                ChangeIcon();
                break;
            case 7:
                SetDefault();
                break;
            case 8:
                m_view.showAbout();
                break;
            case 9:
                m_view.endProgram();
                break;
            default:
                break;
        }
    });
}

void frmMain::FolderIcon() {
    // Each failing step is skipped; nothing is shown.
    try {
        m_folderPath = BrowseForFolder(m_services.dialogs, m_view.hWnd(), "Select a folder to edit");
    } catch (const std::exception&) {
    }
    ChooseFolder(m_folderPath);
}

void frmMain::ChooseFolder(const std::string& folder) {
    m_folderPath = folder;
    if (characterCount(m_folderPath) > 3) {
        try {
            m_view.setPathText(m_folderPath);
        } catch (const std::exception&) {
        }
        try {
            DrawShellIcon(m_services.icons, m_folderPath, m_view.currentIcon(), 32);
        } catch (const std::exception&) {
        }
    }
}

bool frmMain::OpenStartFolder(const std::string& folder) {
    const std::string path = absolutePath(folder);
    try {
        checkIsFolder(path);
    } catch (const PlatformError& error) {
        reportError(m_services.messages, error);
        return false;
    }
    ChooseFolder(path);
    return true;
}

void frmMain::FillVar() { m_folderPath = m_view.pathText(); }

}  // namespace quorvane
