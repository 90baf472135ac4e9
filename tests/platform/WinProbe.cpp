// A small Windows program that other tests drive from outside:
//   win_probe get PATH        prints GetFileAttributesW of PATH in decimal
//   win_probe set PATH VALUE  sets the attributes through the Win32 file services
//   win_probe                 (as started by the program launcher) writes how it was shown to
//                             the file named by QUORVANE_LAUNCH_MARKER
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Error.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/Win32Text.h"

int wmain(int argc, wchar_t** argv) {
    using namespace quorvane;
    if (argc == 1) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ::GetStartupInfoW(&startup);
        const wchar_t* marker = ::_wgetenv(L"QUORVANE_LAUNCH_MARKER");
        if (!marker) return 2;
        FILE* out = ::_wfopen(marker, L"wb");
        if (!out) return 3;
        std::fprintf(out, "%d %d", (startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0, startup.wShowWindow);
        std::fclose(out);
        return 0;
    }
    const std::wstring command = argv[1];
    if (command == L"get" && argc == 3) {
        std::printf("%lu\n", ::GetFileAttributesW(argv[2]));
        return 0;
    }
    if (command == L"set" && argc == 4) {
        try {
            FileSystemWin32().setAttributes(win32::fromWide(argv[2]), std::wcstoul(argv[3], nullptr, 10));
        } catch (const PlatformError& error) {
            std::printf("%s\n", error.description().c_str());
            return 1;
        }
        return 0;
    }
    return 2;
}
