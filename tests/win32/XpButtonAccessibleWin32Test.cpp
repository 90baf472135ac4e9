// The button's accessible object inside the process that made it: what AccessibleObjectFromWindow
// gives for it (role, name, shortcut, states as the button's state changes, the default action,
// which queues one click), and the focus and state changes announced to WinEvent hooks.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "win32/AccessibleProxy.h"
#include "win32/KeyInjector.h"
#include "win32/UserMessages.h"
#include "win32/Wnd.h"
#include "win32/XpButtonWin32.h"

namespace quorvane::win32 {
namespace {

class Host final : public Wnd {
public:
    bool make() {
        CreateArgs args;
        args.style = WS_POPUP | WS_VISIBLE;
        args.x = 50, args.y = 50, args.width = 200, args.height = 100;
        return create(WindowClass{L"QuorvaneAccessibleTestHost"}, args);
    }
};

// The events announced while it lives, as (event, window) for the client area of a window.
std::vector<std::pair<DWORD, HWND>>* g_events = nullptr;

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (g_events && object == OBJID_CLIENT && child == CHILDID_SELF) g_events->emplace_back(event, hwnd);
}

VARIANT self() {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

class XpButtonAccessibleWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(m_host.make());
        CreateArgs args;
        args.parent = m_host.hwnd();
        args.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        args.x = 20, args.y = 30, args.width = 77, args.height = 26;
        ASSERT_TRUE(m_button.make(args));
        m_button.model().InitProperties(Ambient{StdFont{"Tahoma", 8.25}, 0, "cmd"});
        m_button.model().setCaption("&Lock Folder");
        m_button.onClick = [this] { ++m_clicks; };
        ::SetForegroundWindow(m_host.hwnd());
        settle();
        ASSERT_TRUE(SUCCEEDED(::AccessibleObjectFromWindow(m_button.hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                           kIID_IAccessible, reinterpret_cast<void**>(&m_acc))));
        ASSERT_NE(m_acc, nullptr);
    }
    void TearDown() override {
        if (m_acc) m_acc->Release();
        ::CoUninitialize();
    }

    void settle() {
        for (int i = 0; i < 5; ++i) {
            m_messages.processPendingEvents();
            ::Sleep(10);
        }
    }
    long state() const {
        VARIANT out;
        ::VariantInit(&out);
        EXPECT_EQ(m_acc->get_accState(self(), &out), S_OK);
        return out.lVal;
    }
    std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        BSTR out = nullptr;
        if (FAILED((m_acc->*get)(self(), &out))) return L"<failed>";
        std::wstring value = out ? std::wstring(out, ::SysStringLen(out)) : std::wstring();
        ::SysFreeString(out);
        return value;
    }

    Host m_host;
    KeyInjectorWin32 m_keys;
    UserMessagesWin32 m_messages;
    XpButtonWin32 m_button{m_keys};
    IAccessible* m_acc = nullptr;
    int m_clicks = 0;
};

TEST_F(XpButtonAccessibleWin32Test, ReadsAsAPushButtonNamedByItsCaption) {
    VARIANT role;
    ::VariantInit(&role);
    ASSERT_EQ(m_acc->get_accRole(self(), &role), S_OK);
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, 0x2B);  // ROLE_SYSTEM_PUSHBUTTON
    EXPECT_EQ(text(&IAccessible::get_accName), L"Lock Folder");
    EXPECT_EQ(text(&IAccessible::get_accKeyboardShortcut), L"Alt+L");
    EXPECT_EQ(text(&IAccessible::get_accDefaultAction), L"Press");
    long children = -1;
    EXPECT_EQ(m_acc->get_accChildCount(&children), S_OK);
    EXPECT_EQ(children, 0);
    // Where it is on screen: the system's answer for the window.
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(m_acc->accLocation(&left, &top, &width, &height, self()), S_OK);
    POINT corner{0, 0};
    ::ClientToScreen(m_button.hwnd(), &corner);
    EXPECT_EQ((std::vector<long>{left, top, width, height}), (std::vector<long>{corner.x, corner.y, 77, 26}));

    m_button.model().setCaption("A&&B &Save");
    EXPECT_EQ(text(&IAccessible::get_accName), L"A&B Save");
    EXPECT_EQ(text(&IAccessible::get_accKeyboardShortcut), L"Alt+S");
}

TEST_F(XpButtonAccessibleWin32Test, StatesFollowFocusPressAndEnabled) {
    std::vector<std::pair<DWORD, HWND>> events;
    g_events = &events;
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, onWinEvent,
                                                 ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ::SetFocus(m_host.hwnd());
    settle();
    EXPECT_EQ(state() & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_FOCUSABLE);
    events.clear();
    ::SetFocus(m_button.hwnd());
    settle();
    EXPECT_EQ(state() & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(DWORD{EVENT_OBJECT_FOCUS}, m_button.hwnd())),
              events.end())
        << "the focus is announced";

    const struct {
        const char* name;
        UINT down, up;
        WPARAM downParam, upParam;
    } presses[] = {
        {"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0},
        {"Space", WM_KEYDOWN, WM_KEYUP, VK_SPACE, VK_SPACE},
        {"Enter", WM_KEYDOWN, WM_KEYUP, VK_RETURN, VK_RETURN},
    };
    for (const auto& p : presses) {
        m_clicks = 0;
        events.clear();
        ::SendMessageW(m_button.hwnd(), p.down, p.downParam, p.down == WM_LBUTTONDOWN ? MAKELPARAM(10, 10) : 1);
        settle();
        EXPECT_TRUE(state() & STATE_SYSTEM_PRESSED) << p.name << ": pressed while held";
        ::SendMessageW(m_button.hwnd(), p.up, p.upParam, p.up == WM_LBUTTONUP ? MAKELPARAM(10, 10) : 0xC0000001);
        settle();
        EXPECT_FALSE(state() & STATE_SYSTEM_PRESSED) << p.name << ": let go";
        EXPECT_EQ(m_clicks, 1) << p.name;
        EXPECT_EQ(
            std::count(events.begin(), events.end(), std::make_pair(DWORD{EVENT_OBJECT_STATECHANGE}, m_button.hwnd())),
            2)
            << p.name << ": down and up announced";
    }

    m_button.model().setEnabled(false);
    settle();
    EXPECT_TRUE(state() & STATE_SYSTEM_UNAVAILABLE);
    m_button.model().setEnabled(true);
    EXPECT_FALSE(state() & STATE_SYSTEM_UNAVAILABLE);
    g_events = nullptr;
    ::UnhookWinEvent(hook);
}

TEST_F(XpButtonAccessibleWin32Test, TheDefaultActionQueuesOneClick) {
    ASSERT_EQ(m_acc->accDoDefaultAction(self()), S_OK);
    EXPECT_EQ(m_clicks, 0) << "the click runs from the message loop, after the call has returned";
    settle();
    EXPECT_EQ(m_clicks, 1);

    // A disabled button is not pressed by it.
    m_button.model().setEnabled(false);
    ASSERT_EQ(m_acc->accDoDefaultAction(self()), S_OK);
    settle();
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(XpButtonAccessibleWin32Test, AnObjectKeptAfterTheButtonIsGoneSaysSo) {
    ::DestroyWindow(m_button.hwnd());
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(m_acc->get_accName(self(), &name)));
    EXPECT_TRUE(FAILED(m_acc->accDoDefaultAction(self())));
}

}  // namespace
}  // namespace quorvane::win32
