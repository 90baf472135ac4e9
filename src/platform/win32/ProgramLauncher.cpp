#include "platform/win32/ProgramLauncher.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Text.h"

namespace quorvane {

void ProgramLauncherWin32::start(const std::string& path) {
    const auto program = win32::toWide(path);
    if (path.empty() || !program) throw errorFor(errc::FileNotFound, path);
    // The program's own path, quoted, is its whole command line; a path with spaces stays one word.
    std::wstring commandLine = L"\"" + *program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        throw win32::lastError(path);
    // Nothing waits for it or watches it.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace quorvane
