// The window base: the object behind a handle, from the first message to the last, for windows of
// our own classes and for subclassed system controls, and the reflection of child notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/Wnd.h"

namespace quorvane::win32 {
namespace {

constexpr WindowClass kProbeClass{L"QuorvaneWndTestProbe"};

// Records the messages it sees, with the handle it knew at that time.
class Probe : public Wnd {
public:
    bool make(HWND parent = nullptr) {
        CreateArgs args;
        args.parent = parent;
        args.style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
        args.x = 10, args.y = 10, args.width = 200, args.height = 100;
        return create(kProbeClass, args);
    }
    std::vector<UINT> seen;
    HWND handleAtCreate = nullptr;
    std::vector<UINT> reflected;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_CREATE) handleAtCreate = hwnd();
        if (message == WM_APP) return 42;
        LRESULT result = 0;
        if (reflect(message, wParam, lParam, result)) return result;
        return Wnd::WndProc(message, wParam, lParam);
    }
};

// An edit control of the system's, subclassed: our procedure first, then the class's.
class Edit : public Wnd {
public:
    bool make(HWND parent) {
        CreateArgs args;
        args.parent = parent;
        args.style = WS_CHILD | WS_VISIBLE;
        args.width = 100, args.height = 20, args.x = 0, args.y = 0;
        args.id = 7;
        return createControl(L"EDIT", args);
    }
    std::wstring charsSeen;
    std::vector<WORD> notifications;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHAR) charsSeen += static_cast<wchar_t>(wParam);
        return Wnd::WndProc(message, wParam, lParam);
    }
    bool onReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != WM_COMMAND) return false;
        notifications.push_back(HIWORD(wParam));
        result = 0;
        return true;
    }
};

bool saw(const std::vector<UINT>& seen, UINT message) {
    for (UINT m : seen) {
        if (m == message) return true;
    }
    return false;
}

TEST(Wnd, TheObjectIsFoundFromTheCreateMessageToTheLast) {
    Probe probe;
    ASSERT_TRUE(probe.make());
    const HWND hwnd = probe.hwnd();
    EXPECT_EQ(probe.handleAtCreate, hwnd);
    EXPECT_EQ(Wnd::fromHandle(hwnd), &probe);
    EXPECT_EQ(::SendMessageW(hwnd, WM_APP, 0, 0), 42);

    ASSERT_TRUE(::DestroyWindow(hwnd));
    EXPECT_TRUE(saw(probe.seen, WM_DESTROY));
    EXPECT_EQ(probe.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(probe.hwnd(), nullptr);
    EXPECT_EQ(Wnd::fromHandle(hwnd), nullptr);
}

TEST(Wnd, TheWindowGoesWithItsObject) {
    HWND hwnd = nullptr;
    {
        Probe probe;
        ASSERT_TRUE(probe.make());
        hwnd = probe.hwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(Wnd, SystemControlsAreSubclassedAndGetTheirNotificationsBack) {
    Probe parent;
    ASSERT_TRUE(parent.make());
    Edit edit;
    ASSERT_TRUE(edit.make(parent.hwnd()));
    EXPECT_EQ(Wnd::fromHandle(edit.hwnd()), &edit);

    ::SendMessageW(edit.hwnd(), WM_CHAR, L'q', 1);
    wchar_t text[16] = {};
    ::GetWindowTextW(edit.hwnd(), text, 16);
    EXPECT_EQ(edit.charsSeen, L"q");
    EXPECT_EQ(std::wstring(text), L"q");  // the class still did its part
    EXPECT_EQ(edit.notifications, (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
}

TEST(Wnd, AWindowThatUsesItsUserDataForItselfIsNoneOfOurs) {
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    Probe probe;
    ::SetWindowLongPtrW(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&probe));
    EXPECT_EQ(Wnd::fromHandle(foreign), nullptr);
    ::DestroyWindow(foreign);
}

}  // namespace
}  // namespace quorvane::win32
