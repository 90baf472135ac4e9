// The native Windows program: the platform's services handed to the main window, and the message loop.
// The main window first: its forms come before the Windows headers, whose registry names are macros.
#include "win32/MainWindowWin32.h"
// after the main window
#include <windows.h>
// after the Windows types
#include <commctrl.h>
#include <objbase.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

#include "platform/Error.h"
#include "platform/UserMessages.h"
#include "platform/win32/Win32Text.h"
#include "win32/ServicesWin32.h"
#include "win32/UserMessages.h"

namespace {

// The program's arguments after its own name, as UTF-8.
std::vector<std::string> programArguments() {
    int count = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(quorvane::win32::fromWide(argv[i]));
    ::LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    using namespace quorvane;
    // A command runs as in quorvane.com, without a window; its output reaches only what the
    // caller redirected (the console companion is the one for consoles).
    const std::vector<std::string> args = programArguments();
    if (cli::isCommand(args)) return cli::runConsole(args);

    // The shell's image lists are started by the folder's icon, drawn after the first paint: a
    // thread of their own started here would hold the windows back more than it gains.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The windows' thread is a single-threaded COM apartment for the program's life: screen readers'
    // calls to the controls' accessible objects come to it there.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    struct ComScope {
        bool initialised;
        ~ComScope() {
            if (initialised) ::CoUninitialize();
        }
    } comScope{SUCCEEDED(com)};

    ServicesWin32 owned;
    const Services services = owned.services();
    try {
        win32::MainWindowWin32 main(services, win32::applicationDirectory());
        if (!main.load()) return 1;
        ::ShowWindow(main.hwnd(), show);
        ::UpdateWindow(main.hwnd());
        main.focusFirst();
        // The folder Explorer's menu (or a shortcut) started us with.
        if (!args.empty()) main.form().OpenStartFolder(args.front());

        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) win32::dispatchMessage(msg);
        return static_cast<int>(msg.wParam);
    } catch (const PlatformError& error) {
        // A failing load sequence leaves no window to go on with.
        services.messages.messageBox(errorReportText(error), mb::Critical, std::string(kAppTitle));
        return 1;
    } catch (const std::exception& error) {
        // A window whose layout cannot be read: a broken build, said rather than crashed on.
        services.messages.messageBox(error.what(), mb::Critical, std::string(kAppTitle));
        return 1;
    }
}
