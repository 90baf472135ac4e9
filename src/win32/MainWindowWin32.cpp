#include "win32/MainWindowWin32.h"

#include "platform/win32/ShellIcons.h"
#include "platform/win32/Win32Text.h"
#include "protect/Disguise.h"

namespace quorvane::win32 {

namespace {

FormWindow::Options mainOptions() {
    FormWindow::Options options;
    options.gradient = true;
    options.gradientColour = 0x00A4AF8F;  // 143, 175, 164: the windows' base colour
    options.gradientSteps = 20;
    options.gradientStepSize = 2;
    options.dragItems = {"Image1"};  // the banner takes drags like the surface
    return options;
}

constexpr int kCommands = 10;
constexpr int kExit = 9;

}  // namespace

MainWindowWin32::MainWindowWin32(KeyInjector& keys, std::string applicationDirectory)
    : FormWindow(FormDescription::embedded("frmMain"), mainOptions(), keys),
      m_applicationDirectory(std::move(applicationDirectory)) {}

bool MainWindowWin32::load() {
    if (!make()) return false;
    // The window takes the size of its frame shape, as the designed area is larger.
    if (const ControlDescription* shape = description().find("Shape1")) resizeInner(shape->width, shape->height);
    if (const HWND combo = control("cmb1")) {
        for (std::string_view caption : kDisguiseCaptions)
            ::SendMessageW(combo, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(toWide(std::string(caption)).value_or(L"").c_str()));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
    if (const HWND text = control("Text1"))
        ::SetWindowTextW(text, toWide(m_applicationDirectory).value_or(L"").c_str());
    // The current-icon box shows the program folder's icon as the shell shows it.
    if (PictureBoxWin32* box = pictureBox("Picture1")) {
        if (auto shellIcon = ShellIconsWin32().iconFor(m_applicationDirectory, 32))
            box->setPicture(std::move(shellIcon));
    }
    const auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      ::GetSystemMetricsForDpi(SM_CXICON, dpi()),
                                                      ::GetSystemMetricsForDpi(SM_CYICON, dpi()), LR_SHARED));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    for (int i = 0; i < kCommands; ++i) {
        if (XpButtonWin32* button = this->button("cmd", i)) button->onClick = [this, i] { cmd_Click(i); };
    }
    return true;
}

void MainWindowWin32::cmd_Click(int index) {
    if (index == kExit) onClose();
}

void MainWindowWin32::onClose() {
    // The program ends at once, every window with it; nothing is saved.
    ::PostQuitMessage(0);
}

std::string applicationDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive root keeps its backslash
    return fromWide(folder);
}

}  // namespace quorvane::win32
