// The system's message boxes as the user meets them: found on screen from another thread, their
// title, text and icon read, closed with OK; and the pending-event pump.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "win32/UserMessages.h"

namespace quorvane {
namespace {

struct SeenBox {
    std::wstring title;
    std::wstring text;
    HICON icon = nullptr;
    bool found = false;
};

// Waits for a message box of this process, reads it and presses its OK button.
SeenBox closeNextMessageBox() {
    SeenBox seen;
    for (int i = 0; i < 500 && !seen.found; ++i) {
        HWND box = nullptr;
        while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(box, &process);
            if (process == ::GetCurrentProcessId() && ::IsWindowVisible(box)) break;
        }
        if (!box) {
            ::Sleep(10);
            continue;
        }
        wchar_t buffer[512] = {};
        ::GetWindowTextW(box, buffer, 512);
        seen.title = buffer;
        // The message box's text is its static 0xFFFF; its icon the visible icon static.
        ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
        seen.text = buffer;
        ::EnumChildWindows(
            box,
            [](HWND child, LPARAM icon) -> BOOL {
                if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child))
                    *reinterpret_cast<HICON*>(icon) = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.icon));
        seen.found = true;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return seen;
}

TEST(UserMessagesWin32, MessageBoxesShowTheirTextTitleAndIcon) {
    const struct {
        const char* name;
        std::string text;
        int style;
        std::optional<std::string> title;
        std::wstring expectedTitle;
        std::wstring expectedText;
        const wchar_t* icon;  // the system's icon it shows, or none
    } cases[] = {
        {"information with a title", "The folder: \r\nC:\\a\r\n  it's not visible now", mb::Information,
         std::string("yeah!"), L"yeah!", L"The folder: \r\nC:\\a\r\n  it's not visible now", IDI_INFORMATION},
        {"without a title: the application's", "Folder: \r\nC:\\b\r\nLocked!", mb::Information, std::nullopt,
         L"Quorvane", L"Folder: \r\nC:\\b\r\nLocked!", IDI_INFORMATION},
        {"critical", "Error 53: File not found", mb::Critical, std::nullopt, L"Quorvane", L"Error 53: File not found",
         IDI_ERROR},
        {"no icon, text beyond ASCII", "caf\xc3\xa9 \xe2\x82\xac", mb::OkOnly, std::string("huh?"), L"huh?",
         L"caf\u00e9 \u20ac", nullptr},
    };
    UserMessagesWin32 messages;
    for (const auto& c : cases) {
        SeenBox seen;
        std::thread closer([&seen] { seen = closeNextMessageBox(); });
        messages.messageBox(c.text, c.style, c.title);
        closer.join();
        ASSERT_TRUE(seen.found) << c.name;
        EXPECT_EQ(seen.title, c.expectedTitle) << c.name;
        EXPECT_EQ(seen.text, c.expectedText) << c.name;
        EXPECT_EQ(seen.icon, c.icon ? ::LoadIconW(nullptr, c.icon) : nullptr) << c.name;
    }
}

TEST(UserMessagesWin32, PendingEventsAreHandledAndAQuitIsKeptForTheMainLoop) {
    static std::atomic<int> handled{0};
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_APP) ++handled;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    };
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuorvanePumpTest";
    ::RegisterClassW(&wc);
    const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);

    ::PostMessageW(hwnd, WM_APP, 0, 0);
    ::PostMessageW(hwnd, WM_APP, 0, 0);
    ::PostQuitMessage(3);
    UserMessagesWin32().processPendingEvents();
    EXPECT_EQ(handled.load(), 2);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    ::DestroyWindow(hwnd);
}

}  // namespace
}  // namespace quorvane
