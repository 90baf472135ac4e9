#include "ProgramDriver.h"

#include <atomic>

#include "platform/win32/Win32Text.h"

namespace quorvane::test {

namespace {

struct Find {
    DWORD process;
    const std::wstring* title;
    HWND found;
};

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& program, const std::wstring& arguments,
                             std::optional<POINT> defaultPlace) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (defaultPlace) {
        startup.dwFlags |= STARTF_USEPOSITION;
        startup.dwX = static_cast<DWORD>(defaultPlace->x);
        startup.dwY = static_cast<DWORD>(defaultPlace->y);
    }
    std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &m_process))
        return;
    ::WaitForInputIdle(m_process.hProcess, 10000);
    m_main = waitForWindow(L"Velmoran v2.0");
    settle();
}

ProgramDriver::~ProgramDriver() {
    if (!m_process.hProcess) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 99);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

HWND ProgramDriver::waitForWindow(const std::wstring& title, int ms) const {
    for (int waited = 0; waited < ms; waited += 10) {
        Find find{m_process.dwProcessId, &title, nullptr};
        ::EnumWindows(
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto* f = reinterpret_cast<Find*>(data);
                DWORD process = 0;
                ::GetWindowThreadProcessId(hwnd, &process);
                wchar_t text[256] = {};
                ::GetWindowTextW(hwnd, text, 256);
                if (process != f->process || !::IsWindowVisible(hwnd) || *f->title != text) return TRUE;
                f->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&find));
        if (find.found) return find.found;
        ::Sleep(10);
    }
    return nullptr;
}

HWND ProgramDriver::child(HWND window, const std::wstring& className, const std::wstring& text) {
    HWND found = nullptr;
    while ((found = ::FindWindowExW(window, found, className.c_str(), nullptr)) != nullptr) {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(found, buffer, 256);
        if (text == buffer) return found;
    }
    return nullptr;
}

void ProgramDriver::click(HWND control, int x, int y) {
    ::PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND ProgramDriver::button(HWND window, const std::wstring& caption) {
    return child(window, win32::kXpButtonClassName, caption);
}

bool ProgramDriver::clickButton(HWND window, const std::wstring& caption) {
    const HWND found = button(window, caption);
    if (!found) return false;
    click(found);
    return true;
}

void ProgramDriver::xdotool(const std::string& arguments) {
    // wine starts the Linux program but cannot wait for it: it leaves its exit status in a file.
    static std::atomic<int> count = 0;
    const std::string name = "quorvane-input-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++count);
    const std::string command = "sh -c \"xdotool " + arguments + "; echo $? >/tmp/" + name + "\"";
    std::wstring line(command.begin(), command.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    const std::wstring done = L"Z:\\tmp\\" + std::wstring(name.begin(), name.end());
    for (int waited = 0; waited < 10000; waited += 5) {
        if (fileBytes(done).find('\n') != std::string::npos) break;
        ::Sleep(5);
    }
    ::DeleteFileW(done.c_str());
}

POINT ProgramDriver::onScreen(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    return at;
}

namespace {

std::string moveTo(HWND window, int x, int y) {
    const POINT at = ProgramDriver::onScreen(window, x, y);
    return "mousemove " + std::to_string(at.x) + " " + std::to_string(at.y);
}

}  // namespace

void ProgramDriver::pointTo(HWND window, int x, int y) { xdotool(moveTo(window, x, y)); }

void ProgramDriver::pressAt(HWND window, int x, int y) { xdotool(moveTo(window, x, y) + " mousedown 1"); }

void ProgramDriver::releaseAt(HWND window, int x, int y) { xdotool(moveTo(window, x, y) + " mouseup 1"); }

void ProgramDriver::clickAt(HWND window, int x, int y) { xdotool(moveTo(window, x, y) + " click 1"); }

void ProgramDriver::doubleClickAt(HWND window, int x, int y) {
    xdotool(moveTo(window, x, y) + " click --repeat 2 --delay 80 1");
}

void ProgramDriver::dragBy(HWND window, int x, int y, int dx, int dy) {
    // The window's move starts at the first movement, two pixels to the right of the press; from there
    // it follows the pointer.
    std::string steps = moveTo(window, x, y) + " mousedown 1 sleep 0.05 " + moveTo(window, x + 2, y) + " sleep 0.2";
    for (int i = 1; i <= 4; ++i) steps += " sleep 0.05 " + moveTo(window, x + 2 + dx * i / 4, y + dy * i / 4);
    xdotool(steps + " sleep 0.1 mouseup 1");
}

void ProgramDriver::keys(const std::string& names) { xdotool("key --delay 30 " + names); }

void ProgramDriver::keyDown(const std::string& name) { xdotool("keydown " + name); }

void ProgramDriver::keyUp(const std::string& name) { xdotool("keyup " + name); }

HWND ProgramDriver::focusSettlesOn(HWND window, HWND expected, int ms) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    for (int waited = 0; waited < ms; waited += 10) {
        if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == expected) break;
        ::Sleep(10);
    }
    return info.hwndFocus;
}

POINT ProgramDriver::positionSettlesOn(HWND window, POINT expected, int ms) {
    RECT rect{};
    for (int waited = 0; waited < ms; waited += 10) {
        ::GetWindowRect(window, &rect);
        if (rect.left == expected.x && rect.top == expected.y) break;
        ::Sleep(10);
    }
    return POINT{rect.left, rect.top};
}

std::wstring ProgramDriver::text(HWND window) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    const LRESULT length =
        ::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ProgramDriver::setText(HWND window, const std::wstring& text) {
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring ProgramDriver::answerMessageBox(const std::wstring& title) const {
    const HWND box = waitForWindow(title);
    if (!box) return L"<none>";
    // The message is the box's one static control with text (the icon is one without).
    std::wstring message;
    HWND item = nullptr;
    while ((item = ::FindWindowExW(box, item, L"Static", nullptr)) != nullptr) {
        const std::wstring shown = text(item);
        if (!shown.empty()) message = shown;
    }
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    waitUntilGone(box);
    settle(200);
    return message;
}

bool ProgramDriver::waitUntilGone(HWND window, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (!::IsWindow(window) || !::IsWindowVisible(window)) return true;
        ::Sleep(10);
    }
    return false;
}

void ProgramDriver::settle(int ms) { ::Sleep(static_cast<DWORD>(ms)); }

SIZE ProgramDriver::clientSize(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

bool ProgramDriver::waitForPixel(HWND window, int x, int y, std::uint32_t colour, int ms) {
    for (int waited = 0;; waited += 20) {
        POINT at{x, y};
        ::ClientToScreen(window, &at);
        const HDC screen = ::GetDC(nullptr);
        const COLORREF seen = ::GetPixel(screen, at.x, at.y);
        ::ReleaseDC(nullptr, screen);
        const std::uint32_t rgb = (std::uint32_t{GetRValue(seen)} << 16) | (std::uint32_t{GetGValue(seen)} << 8) |
                                  GetBValue(seen);
        if (rgb == colour) return true;
        if (waited >= ms) return false;
        ::Sleep(20);
    }
}

POINT ProgramDriver::clientOrigin(HWND window) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    return origin;
}

HWND ProgramDriver::dropDown(HWND combo) {
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    // The list is a top-level window of the combo box's process, shown while it is dropped down
    // (GetComboBoxInfo does not reach into another process under wine).
    struct Search {
        DWORD process;
        HWND found;
    } search{0, nullptr};
    ::GetWindowThreadProcessId(combo, &search.process);
    for (int waited = 0; waited < 5000 && !search.found; waited += 10) {
        ::EnumWindows(
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD process = 0;
                ::GetWindowThreadProcessId(hwnd, &process);
                wchar_t name[32] = {};
                ::GetClassNameW(hwnd, name, 32);
                if (process != s->process || !::IsWindowVisible(hwnd) || std::wstring(name) != L"ComboLBox")
                    return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(10);
    }
    if (search.found) settle(200);
    return search.found;
}

std::vector<std::uint32_t> ProgramDriver::screenPixels(HWND window, int& width, int& height) {
    const SIZE size = clientSize(window);
    width = size.cx;
    height = size.cy;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    std::uint32_t* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    ::BitBlt(dc, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(bits, bits + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

void ProgramDriver::changeDpi(HWND window, int dpi, const RECT& suggested) const {
    // The message carries a pointer to the rectangle, which must be in the program's own memory.
    void* remote = ::VirtualAllocEx(m_process.hProcess, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    if (!remote) return;
    SIZE_T written = 0;
    if (::WriteProcessMemory(m_process.hProcess, remote, &suggested, sizeof suggested, &written))
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote));
    ::VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
}

int ProgramDriver::waitForExit(int ms) {
    if (!m_process.hProcess || ::WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
}

std::string fileBytes(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

ProgramCopy::ProgramCopy() : m_path(file("quorvane.exe")) { ::CopyFileW(QUORVANE_PROGRAM, m_path.c_str(), FALSE); }

std::wstring ProgramCopy::file(const std::string& name) const { return *win32::toWide(m_folder / name); }

void ProgramCopy::write(const std::string& name, const std::string& bytes) const { writeBytes(m_folder / name, bytes); }

}  // namespace quorvane::test
