#pragma once

#include <memory>
#include <string>

// The about window (and its form) before the Windows headers, whose registry names are macros.
#include "win32/AboutWindowWin32.h"
// after the about window
#include "platform/Services.h"
#include "protect/MainView.h"
#include "protect/frmMain.h"
#include "win32/FormWindow.h"

namespace quorvane::win32 {

class ListWindowWin32;

// frmMain as a native window: built from its layout, frameless, with the banded gradient and the
// drag by its surface and its banner; its buttons go to its form, which reads and changes the
// window through MainView. "Exit" (and closing the window) ends the program with every window.
class MainWindowWin32 final : public FormWindow, public MainView {
public:
    MainWindowWin32(Services services, std::string applicationDirectory);
    ~MainWindowWin32() override;

    // Makes the window and runs its load sequence; false when the window could not be made. A
    // failing load sequence throws, as the form's actions do.
    bool load();

    frmMain& form() { return m_form; }
    // The list of hidden folders while "Show Folder" has it open, else null.
    ListWindowWin32* listWindow() const { return m_list; }
    AboutWindowWin32* aboutWindow() const { return m_about.get(); }

    // The view the form works through.
    WindowHandle hWnd() override { return hwnd(); }
    void sizeToShape() override;
    void addDisguise(const std::string& caption) override;
    int disguiseIndex() override;
    void setDisguiseIndex(int index) override;
    std::string pathText() override;
    void setPathText(const std::string& text) override;
    PictureBoxView& currentIcon() override;
    PictureBoxView& newIcon() override;
    std::unique_ptr<ListView> loadList(const std::string& registerFilePath) override;
    void showAbout() override;
    void endProgram() override;

protected:
    void onClose() override { endProgram(); }
    void onFirstPainted() override;
    // The taskbar's icon at the size of the new DPI.
    void onDpiFollowed() override;

private:
    class LoadIcons;

    Services m_services;
    std::unique_ptr<LoadIcons> m_icons;  // the form's icons: the load's put off until the first paint
    std::unique_ptr<AboutWindowWin32> m_about;
    ListWindowWin32* m_list = nullptr;  // owned by the form's ShowList while it runs
    bool m_iconShown = false;
    HICON m_taskbarIcon = nullptr;  // made at the window's DPI, owned
    frmMain m_form;
};

// The folder that holds the running program, without a trailing backslash unless it is a drive root.
std::string applicationDirectory();

}  // namespace quorvane::win32
