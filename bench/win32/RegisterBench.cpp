// A long register in the list window, on the Windows front end: registers of 10 000, 100 000 and
// 1 000 000 lines of 60-character paths. Each run is a fresh process that makes the program's main
// window with the program's own services, presses "Show Folder" on it and waits until the list
// window has been painted, then makes the middle line's folder visible with the list window's
// "Show Folder" (which rewrites the register) until its message box comes up; its peak memory is
// the process's largest working set. The same spans as bench/register_bench on the Qt front end,
// timed the same way, inside the process. Medians of the runs:
//   register_win32_bench [runs] [lines...]      (under wine: tools/bench-register.sh)
#include "win32/MainWindowWin32.h"
// after the main window
#include <windows.h>
// after the Windows types
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RegisterFigures.h"
#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "platform/win32/Win32Text.h"
#include "win32/ListWindowWin32.h"
#include "win32/ServicesWin32.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 3;
const wchar_t kFolder[] = L"C:\\qb";  // short, so that the paths are 60 characters

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of this process (user and system), in ms: less swayed by other work on the machine.
double cpuMs() {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

std::string linePath(int i) {
    static const std::string folder = win32::fromWide(kFolder);
    return bench::registerLine(folder, '\\', i);
}

// One run, watched from inside the process as the user's click plays out.
struct RunState {
    win32::MainWindowWin32* main = nullptr;
    FileSystem* fs = nullptr;
    std::string chosen;
    int lines = 0;
    Clock::time_point start;
    double cpuStart = 0;
    Clock::time_point rewriteStart;
    double rewriteCpuStart = 0;
    bool listSeen = false;
    double showMs = -1, showCpu = 0, rewriteMs = -1, rewriteCpu = 0;
};
RunState g_run;
HHOOK g_showHook = nullptr;
HHOOK g_boxHook = nullptr;

// The list window has been painted (what it had to paint is done): the first span ends; then its
// middle line is made visible through the list window's own "Show Folder".
void CALLBACK listPainted(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    win32::ListWindowWin32* list = g_run.main->listWindow();
    if (!list) return;
    ::RedrawWindow(list->hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    g_run.showMs = msSince(g_run.start);
    g_run.showCpu = cpuMs() - g_run.cpuStart;
    const HWND items = list->control("List1");
    if (list->listBox().count() == g_run.lines) {
        ::SendMessageW(items, LB_SETCURSEL, static_cast<WPARAM>(g_run.lines / 2), 0);
        g_run.rewriteStart = Clock::now();
        g_run.rewriteCpuStart = cpuMs();
        list->form().cmd_Click(0);
        // Visible again (wine keeps no archive attribute on a folder of the disk beneath it).
        if (g_run.rewriteMs >= 0 && (list->listBox().count() != g_run.lines - 1 ||
                                     (g_run.fs->attributes(g_run.chosen) & (attr::Hidden | attr::System)) != 0))
            g_run.rewriteMs = -1;
    }
    list->form().cmd_Click(1);  // closed: the press on the main window returns
}

// The list window shown: the span ends once what it shows has been painted (a timer comes after
// the paints due).
LRESULT CALLBACK watchShow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && !g_run.listSeen) {
        const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        win32::ListWindowWin32* list = g_run.main ? g_run.main->listWindow() : nullptr;
        if (m->message == WM_SHOWWINDOW && m->wParam && list && m->hwnd == list->hwnd()) {
            g_run.listSeen = true;
            ::SetTimer(nullptr, 0, 0, listPainted);
        }
    }
    return ::CallNextHookEx(g_showHook, code, wParam, lParam);
}

// The message box after the rewrite: the second span ends when it comes up; it is answered.
LRESULT CALLBACK watchBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_run.listSeen && g_run.rewriteMs < 0) {
        const auto box = reinterpret_cast<HWND>(wParam);
        wchar_t title[16] = {};
        ::GetWindowTextW(box, title, 16);
        if (std::wstring(title) == L"huh?") {
            g_run.rewriteMs = msSince(g_run.rewriteStart);
            g_run.rewriteCpu = cpuMs() - g_run.rewriteCpuStart;
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(g_boxHook, code, wParam, lParam);
}

// Runs the program's windows in this process; prints the two spans (on the clock, then in
// processor time) and the peak memory in MB into `result`; false when it went wrong.
bool runOnce(const std::wstring& folder, int lines, const std::wstring& result) {
    // As the program starts.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ServicesWin32 owned;
    const Services services = owned.services();
    win32::MainWindowWin32 main(services, win32::fromWide(folder));
    if (!main.load()) return false;
    ::ShowWindow(main.hwnd(), SW_SHOW);
    ::UpdateWindow(main.hwnd());
    // Started and idle, its images decoded.
    for (const auto idle = Clock::now(); msSince(idle) < 1500; ::Sleep(10)) services.messages.processPendingEvents();

    g_run.main = &main;
    g_run.fs = &services.fs;
    g_run.lines = lines;
    g_run.chosen = linePath(lines / 2);
    g_showHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, watchShow, nullptr, ::GetCurrentThreadId());
    g_boxHook = ::SetWindowsHookExW(WH_CBT, watchBox, nullptr, ::GetCurrentThreadId());
    g_run.cpuStart = cpuMs();
    g_run.start = Clock::now();
    main.form().cmd_Click(4);
    ::UnhookWindowsHookEx(g_showHook);
    ::UnhookWindowsHookEx(g_boxHook);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    if (g_run.showMs < 0 || g_run.rewriteMs < 0) {
        std::fprintf(stderr, "list %s, shown after %.0f ms, message after %.0f ms\n", g_run.listSeen ? "seen" : "not seen",
                     g_run.showMs, g_run.rewriteMs);
        return false;
    }
    FILE* out = _wfopen(result.c_str(), L"w");
    if (!out) return false;
    std::fprintf(out, "%.1f %.1f %.1f %.1f %.1f\n", g_run.showMs, g_run.rewriteMs, g_run.showCpu, g_run.rewriteCpu,
                 static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    std::fclose(out);
    if (SUCCEEDED(com)) ::CoUninitialize();
    return true;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc == 5 && std::wstring(argv[1]) == L"--run") return runOnce(argv[2], _wtoi(argv[3]), argv[4]) ? 0 : 1;
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRuns;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
    if (sizes.empty()) sizes = {10000, 100000, 1000000};

    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring registerFile = std::wstring(kFolder) + L"\\l0g.ext";
    const std::wstring result = std::wstring(kFolder) + L"\\result.txt";

    ::CreateDirectoryW(kFolder, nullptr);
    ::CreateDirectoryW((std::wstring(kFolder) + L"\\Archive").c_str(), nullptr);
    bench::RegisterFigures figures("Windows list window", runs);
    for (const int lines : sizes) {
        std::string content;
        content.reserve(static_cast<std::size_t>(lines) * 62);
        for (int i = 0; i < lines; ++i) content += linePath(i) + "\r\n";
        const std::wstring chosen = *win32::toWide(linePath(lines / 2));
        ::CreateDirectoryW(chosen.c_str(), nullptr);
        for (int r = 0; r < runs; ++r) {
            const HANDLE file = ::CreateFileW(registerFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            if (file == INVALID_HANDLE_VALUE ||
                !::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
                std::fprintf(stderr, "cannot write the register\n");
                return 1;
            }
            ::CloseHandle(file);
            ::SetFileAttributesW(chosen.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            ::DeleteFileW(result.c_str());

            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            std::wstring command = L"\"" + std::wstring(self) + L"\" --run " + kFolder + L" " +
                                   std::to_wstring(lines) + L" \"" + result + L"\"";
            DWORD exitCode = 1;
            if (::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process)) {
                ::WaitForSingleObject(process.hProcess, INFINITE);
                ::GetExitCodeProcess(process.hProcess, &exitCode);
                ::CloseHandle(process.hThread);
                ::CloseHandle(process.hProcess);
            }
            std::string printed;
            if (FILE* in = exitCode == 0 ? _wfopen(result.c_str(), L"rb") : nullptr) {
                char buffer[256];
                printed.assign(buffer, std::fread(buffer, 1, sizeof buffer, in));
                std::fclose(in);
            }
            if (!figures.addRun(printed)) {
                std::fprintf(stderr, "run with %d lines failed\n", lines);
                return 1;
            }
        }
        figures.endSize(lines);
    }
    ::DeleteFileW(registerFile.c_str());
    ::DeleteFileW(result.c_str());
    figures.printGrowth();
    return 0;
}
