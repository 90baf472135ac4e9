// The native Windows program: the main window over the system's own services, and the message loop.
#include <windows.h>
// after the Windows types
#include <commctrl.h>

#include "platform/win32/KeyInjector.h"
#include "platform/win32/UserMessages.h"
#include "win32/MainWindowWin32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    using namespace quorvane;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    KeyInjectorWin32 keys;
    win32::MainWindowWin32 main(keys, win32::applicationDirectory());
    if (!main.load()) return 1;
    ::ShowWindow(main.hwnd(), show);
    ::UpdateWindow(main.hwnd());
    main.focusFirst();

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) win32::dispatchMessage(msg);
    return static_cast<int>(msg.wParam);
}
