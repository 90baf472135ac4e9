// The yardstick of the Windows start-up bench: a bare Win32 window of the main window's size,
// per-monitor DPI aware like the program, painted once in one colour. It ends when closed.
#include <windows.h>

namespace {

constexpr COLORREF kFill = RGB(143, 175, 164);

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = ::BeginPaint(hwnd, &ps);
            const HBRUSH brush = ::CreateSolidBrush(kFill);
            ::FillRect(dc, &ps.rcPaint, brush);
            ::DeleteObject(brush);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"QuorvaneBareWindow";
    ::RegisterClassW(&wc);
    // 246 x 436 pixels at 96 dpi, the main window's size, centred as it is.
    const int width = 246;
    const int height = 436;
    const HWND hwnd = ::CreateWindowExW(
        WS_EX_APPWINDOW, wc.lpszClassName, L"Bare window", WS_POPUP, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
