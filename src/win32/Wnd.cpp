#include "win32/Wnd.h"

#include <commctrl.h>

#include <unordered_map>

namespace quorvane::win32 {

namespace {

// The windows made through this class, by handle. A window's messages come to the thread that made
// it, so each thread keeps its own table; looking a window up stays within the process (a window
// property would cost a trip to the window server on every message), and a window of someone
// else's is never taken for one of ours.
std::unordered_map<HWND, Wnd*>& windows() {
    thread_local std::unordered_map<HWND, Wnd*> table;
    return table;
}

void attach(HWND hwnd, Wnd* wnd) { windows()[hwnd] = wnd; }

void detach(HWND hwnd) { windows().erase(hwnd); }

}  // namespace

Wnd::~Wnd() {
    if (m_hwnd) {
        // The derived part is gone: its messages from here on are the base's (defaultProc).
        const HWND hwnd = m_hwnd;
        ::DestroyWindow(hwnd);
        if (m_hwnd) {
            detach(hwnd);
            m_hwnd = nullptr;
        }
    }
}

Wnd* Wnd::fromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    const auto& table = windows();
    const auto found = table.find(hwnd);
    return found == table.end() ? nullptr : found->second;
}

bool Wnd::create(const WindowClass& windowClass, const CreateArgs& args) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!::GetClassInfoExW(instance, windowClass.name, &known)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = windowClass.style;
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = instance;
        wc.hCursor = windowClass.cursor ? windowClass.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = windowClass.background;
        wc.hIcon = windowClass.icon;
        wc.lpszClassName = windowClass.name;
        if (!::RegisterClassExW(&wc)) return false;
    }
    const HWND hwnd = ::CreateWindowExW(args.exStyle, windowClass.name, args.text, args.style, args.x, args.y,
                                        args.width, args.height, args.parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), instance, this);
    return hwnd != nullptr && hwnd == m_hwnd;
}

bool Wnd::createControl(const wchar_t* className, const CreateArgs& args) {
    const HWND hwnd = ::CreateWindowExW(
        args.exStyle, className, args.text, args.style, args.x, args.y, args.width, args.height, args.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    m_hwnd = hwnd;
    attach(hwnd, this);
    m_subclassed = ::SetWindowSubclass(hwnd, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return m_subclassed;
}

LRESULT Wnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }

LRESULT Wnd::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_subclassed ? ::DefSubclassProc(m_hwnd, message, wParam, lParam)
                        : ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

bool Wnd::onReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Wnd::reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        default:
            return false;
    }
    Wnd* wnd = fromHandle(child);
    return wnd && wnd->onReflected(message, wParam, lParam, result);
}

LRESULT Wnd::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The last message: after it the handle is dead and the object free of it.
        const HWND hwnd = m_hwnd;
        const LRESULT result = WndProc(message, wParam, lParam);
        if (m_subclassed) ::RemoveWindowSubclass(hwnd, SubclassProc, 0);
        detach(hwnd);
        m_hwnd = nullptr;
        m_subclassed = false;
        return result;
    }
    return WndProc(message, wParam, lParam);
}

LRESULT CALLBACK Wnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* wnd = static_cast<Wnd*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (wnd) {
            wnd->m_hwnd = hwnd;
            attach(hwnd, wnd);
        }
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) find no object yet.
    if (Wnd* wnd = fromHandle(hwnd)) return wnd->dispatch(message, wParam, lParam);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Wnd::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    return reinterpret_cast<Wnd*>(data)->dispatch(message, wParam, lParam);
}

}  // namespace quorvane::win32
