#pragma once

#include <string>

#include "win32/FormWindow.h"

namespace quorvane {
class KeyInjector;
}

namespace quorvane::win32 {

// frmMain as a native window: built from its layout, frameless, with the banded gradient and the
// drag by its surface and its banner; sized to its frame shape at load. "Exit" (and closing the
// window) ends the program with every window.
class MainWindowWin32 final : public FormWindow {
public:
    MainWindowWin32(KeyInjector& keys, std::string applicationDirectory);

    // Makes the window and runs its load sequence; false when the window could not be made.
    bool load();

protected:
    void onClose() override;

private:
    void cmd_Click(int index);
    std::string m_applicationDirectory;
};

// The folder that holds the running program, without a trailing backslash unless it is a drive root.
std::string applicationDirectory();

}  // namespace quorvane::win32
