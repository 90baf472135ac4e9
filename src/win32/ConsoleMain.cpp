// quorvane.com, the console companion of quorvane.exe: a console program over the same core, so
// that a batch file or PowerShell waits for it and reads its output and exit status. In a console,
// "quorvane" finds it before quorvane.exe (.COM comes first in PATHEXT). Without a command it
// starts quorvane.exe beside it with the same arguments, which opens the window.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "platform/FolderTree.h"
#include "platform/win32/Win32Text.h"

namespace {

// The raw command line after the program's own name, as the system handed it over.
std::wstring argumentsText() {
    const std::wstring line = ::GetCommandLineW();
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        i = line.find(L'"', 1);
        i = i == std::wstring::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
    }
    return line.substr(i);
}

int startWindows() {
    std::string folder = quorvane::programDirectory();
    if (!folder.ends_with('\\')) folder += '\\';
    const std::wstring program = quorvane::win32::toWide(folder + "quorvane.exe").value_or(L"quorvane.exe");
    std::wstring command = L"\"" + program + L"\"" + argumentsText();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        fwprintf(stderr, L"quorvane: cannot start %ls\n", program.c_str());
        return 1;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quorvane::win32::fromWide(argv[i]));
    if (!quorvane::cli::isCommand(args)) return startWindows();
    // Paths are UTF-8 text: the console shows them as such.
    ::SetConsoleOutputCP(CP_UTF8);
    return quorvane::cli::runConsole(args);
}
