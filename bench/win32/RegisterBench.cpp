// A long register in the Windows program's list window: registers of 10 000, 100 000 and
// 1 000 000 lines of 60-character paths beside quorvane.exe. Each run starts the program, clicks
// "Show Folder" on its main window and watches the screen from outside until the list window shows
// its first item's text; then it selects the middle line and clicks the list window's
// "Show Folder", until the message box that follows the rewrite of the register comes up. The
// program's peak memory is its largest working set. Medians of the runs:
//   register_win32_bench [runs] [lines...]      (under wine: tools/bench-register.sh)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/XpButtonClass.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 3;
constexpr int kWaitMs = 120000;
const wchar_t kFolder[] = L"C:\\qb";  // short, so that the paths are 60 characters

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::wstring linePath(int i) {
    std::wstring path = std::wstring(kFolder) + L"\\Archive\\folder " + std::to_wstring(1000000 + i);
    if (path.size() < 60) path.append(60 - path.size(), L'x');
    return path;
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }  // ASCII only

HWND windowOf(DWORD process, const wchar_t* title) {
    struct Find {
        DWORD process;
        const wchar_t* title;
        HWND found;
    } find{process, title, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Find*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner != f->process || !::IsWindowVisible(hwnd)) return TRUE;
            wchar_t text[128] = {};
            ::GetWindowTextW(hwnd, text, 128);
            if (std::wstring(text) != f->title) return TRUE;
            f->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

HWND child(HWND window, const wchar_t* className, const wchar_t* text) {
    HWND found = nullptr;
    while ((found = ::FindWindowExW(window, found, className, nullptr)) != nullptr) {
        if (!text) return found;
        wchar_t buffer[256] = {};
        ::GetWindowTextW(found, buffer, 256);
        if (std::wstring(buffer) == text) return found;
    }
    return nullptr;
}

void click(HWND control) {
    ::PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// True once the first item's line of the list box shows text (a dark pixel on the light ground).
// The line is copied off the screen in one go: a pixel read from the screen is a trip to the window
// server each, which would slow the program measured.
bool firstItemShown(HWND list, HDC screen) {
    const LRESULT height = ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    if (height == LB_ERR || height <= 0) return false;
    constexpr int kWidth = 120;
    POINT origin{0, 0};
    ::ClientToScreen(list, &origin);
    const HDC copy = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, static_cast<int>(height));
    const HGDIOBJ old = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, kWidth, static_cast<int>(height), screen, origin.x, origin.y, SRCCOPY);
    bool dark = false;
    for (int x = 2; x < kWidth && !dark; ++x)
        for (int y = 1; y < height && !dark; ++y) {
            const COLORREF c = ::GetPixel(copy, x, y);
            dark = c != CLR_INVALID && GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
        }
    ::SelectObject(copy, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    return dark;
}

struct Run {
    double shownMs = -1;
    double showFolderMs = -1;
    double peakMb = -1;
};

Run runOnce(const std::wstring& program, int lines) {
    Run run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return run;
    HWND main = nullptr;
    for (int i = 0; i < kWaitMs && !main; i += 10, ::Sleep(10)) main = windowOf(process.dwProcessId, L"Velmoran v2.0");
    const HWND show = main ? child(main, quorvane::win32::kXpButtonClassName, L"Show Folder") : nullptr;
    if (show) {
        ::Sleep(1500);  // started and idle, its images decoded
        const HDC screen = ::GetDC(nullptr);
        const auto start = Clock::now();
        click(show);
        HWND list = nullptr;
        HWND items = nullptr;
        while (msSince(start) < kWaitMs) {
            if (!list) list = windowOf(process.dwProcessId, L"Form1");
            if (list && !items) items = child(list, L"ListBox", nullptr);
            if (items && firstItemShown(items, screen)) {
                run.shownMs = msSince(start);
                break;
            }
            ::Sleep(1);
        }
        ::ReleaseDC(nullptr, screen);
        const HWND again = list ? child(list, quorvane::win32::kXpButtonClassName, L"Show Folder") : nullptr;
        if (run.shownMs >= 0 && again && ::SendMessageW(items, LB_GETCOUNT, 0, 0) == lines) {
            ::SendMessageW(items, LB_SETCURSEL, static_cast<WPARAM>(lines / 2), 0);
            const auto rewrite = Clock::now();
            click(again);
            while (msSince(rewrite) < kWaitMs) {
                if (windowOf(process.dwProcessId, L"huh?")) {
                    run.showFolderMs = msSince(rewrite);
                    break;
                }
                ::Sleep(1);
            }
        }
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
            run.peakMb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRuns;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
    if (sizes.empty()) sizes = {10000, 100000, 1000000};

    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L'\\'));
    const std::wstring program = folder + L"\\quorvane.exe";
    const std::wstring registerFile = folder + L"\\l0g.ext";

    ::CreateDirectoryW(kFolder, nullptr);
    ::CreateDirectoryW((std::wstring(kFolder) + L"\\Archive").c_str(), nullptr);
    std::printf("Windows list window, medians of %d runs, each a fresh process\n", runs);
    std::printf("%10s %16s %18s %10s\n", "lines", "list shown (ms)", "Show Folder (ms)", "peak (MB)");
    std::vector<double> shown;
    for (const int lines : sizes) {
        std::string content;
        content.reserve(static_cast<std::size_t>(lines) * 62);
        for (int i = 0; i < lines; ++i) content += narrow(linePath(i)) + "\r\n";
        const std::wstring chosen = linePath(lines / 2);
        ::CreateDirectoryW(chosen.c_str(), nullptr);
        std::vector<double> shownMs, showFolderMs, peakMb;
        for (int r = 0; r < runs; ++r) {
            const HANDLE file =
                ::CreateFileW(registerFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            if (file == INVALID_HANDLE_VALUE ||
                !::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
                std::fprintf(stderr, "cannot write the register\n");
                return 1;
            }
            ::CloseHandle(file);
            ::SetFileAttributesW(chosen.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            const Run run = runOnce(program, lines);
            if (run.shownMs < 0 || run.showFolderMs < 0) {
                std::fprintf(stderr, "run with %d lines failed\n", lines);
                return 1;
            }
            shownMs.push_back(run.shownMs);
            showFolderMs.push_back(run.showFolderMs);
            peakMb.push_back(run.peakMb);
        }
        shown.push_back(median(shownMs));
        std::printf("%10d %16.0f %18.0f %10.0f\n", lines, median(shownMs), median(showFolderMs), median(peakMb));
        std::fflush(stdout);
    }
    ::DeleteFileW(registerFile.c_str());
    for (std::size_t i = 1; i < sizes.size(); ++i)
        if (sizes[i] == 10 * sizes[i - 1] && shown[i - 1] > 0)
            std::printf("%d lines take %.1f times what %d take\n", sizes[i], shown[i] / shown[i - 1], sizes[i - 1]);
    return 0;
}
