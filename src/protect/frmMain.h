#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Services.h"

namespace quorvane {

class ListView;
class MainView;

// The main window's form: the shared state of the folder actions, the load sequence, and the
// dispatch of the ten command buttons, over the window's view. Every action works on FolderPath as
// it stands when its button is pressed.
class frmMain {
public:
    // `applicationDirectory` is the folder that holds the program (no trailing separator unless a root).
    frmMain(Services services, MainView& view, std::string applicationDirectory);

    // The load sequence; the window runs it once, before it is first shown.
    void Form_Load();

    // The command buttons' handler: runs the action of `Index` (0 to 9); a failure the action does
    // not handle ends in the error report, and the program goes on. While an action pumps events
    // (the list loading), commands are not taken.
    void cmd_Click(std::int16_t Index);

    void FolderIcon();
    // What choosing `folder` in the folder browser does: FolderPath becomes it and, when it is
    // longer than a drive root, the path box and the current icon show it.
    void ChooseFolder(const std::string& folder);
    // The folder the program was started with (a relative path is taken from the current folder):
    // chosen as in the folder browser when it is a folder; otherwise the error report names it and
    // the window stays as loaded. Whether it was chosen.
    bool OpenStartFolder(const std::string& folder);
    void LockFolder();
    void UnlockFolder();
    void HideFolder();
    void ShowList();
    void LoadIcon();
    void SetDefault();
    void FillVar();

    const std::string& FolderPath() const { return m_folderPath; }
    const std::optional<std::string>& IconFilePath() const { return m_iconFilePath; }
    const std::string& RegisterFilePath() const { return m_registerFilePath; }

private:
    void ChangeIcon();

    Services m_services;
    MainView& m_view;
    std::string m_applicationDirectory;

    std::string m_folderPath;
    std::optional<std::string> m_iconFilePath;  // no value until "Open icon" is first used
    std::string m_registerFilePath;
    bool m_busy = false;         // an action is running its own event processing
    ListView* m_list = nullptr;  // the list window while ShowList has it
};

}  // namespace quorvane
