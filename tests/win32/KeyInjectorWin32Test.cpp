// Keystrokes put into the system's input queue reach the focused control of the active window, as
// typed: Tab and Shift+Tab move the focus between the controls, characters land in an edit box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/KeyInjector.h"
#include "win32/UserMessages.h"

namespace quorvane {
namespace {

class KeyInjectorWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        m_window = ::CreateWindowExW(0, L"#32770", L"keys", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                     nullptr, instance, nullptr);
        ASSERT_NE(m_window, nullptr);
        for (int i = 0; i < 3; ++i) {
            m_edits[i] = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                           10 + 30 * i, 200, 24, m_window, nullptr, instance, nullptr);
            ASSERT_NE(m_edits[i], nullptr);
        }
        ::SetForegroundWindow(m_window);
        ASSERT_TRUE(settle([&] { return ::GetForegroundWindow() == m_window; })) << "the window never became active";
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    // Handles the queued input until `done` holds, for at most two seconds.
    template <typename Done>
    bool settle(Done done) {
        for (int i = 0; i < 200; ++i) {
            m_messages.processPendingEvents();
            if (done()) return true;
            ::Sleep(10);
        }
        return false;
    }

    int focusedEdit() const {
        const HWND focus = ::GetFocus();
        for (int i = 0; i < 3; ++i) {
            if (focus == m_edits[i]) return i;
        }
        return -1;
    }

    std::wstring text(int edit) const {
        wchar_t buffer[64] = {};
        ::GetWindowTextW(m_edits[edit], buffer, 64);
        return buffer;
    }

    HWND m_window = nullptr;
    HWND m_edits[3] = {};
    UserMessagesWin32 m_messages;
    KeyInjectorWin32 m_keys;
};

TEST_F(KeyInjectorWin32Test, TabAndShiftTabMoveTheFocus) {
    const struct {
        const char* keys;
        int from;
        int expected;
    } cases[] = {
        {"{Tab}", 0, 1},  {"{TAB}", 1, 2},  {"{Tab}", 2, 0},  // round to the first
        {"+{Tab}", 0, 2}, {"+{Tab}", 2, 1},
    };
    for (const auto& c : cases) {
        ::SetFocus(m_edits[c.from]);
        m_keys.sendKeys(c.keys);
        EXPECT_TRUE(settle([&] { return focusedEdit() == c.expected; }))
            << c.keys << " from " << c.from << ": focus on " << focusedEdit();
    }
}

TEST_F(KeyInjectorWin32Test, CharactersAreTypedWithTheShiftTheyNeed) {
    const struct {
        const char* keys;
        std::wstring expected;
    } cases[] = {
        {"ab", L"ab"},
        {"+a", L"A"},
        {"A1", L"A1"},
        {"a{Nonsense}b", L"ab"},
    };
    for (const auto& c : cases) {
        ::SetWindowTextW(m_edits[0], L"");
        ::SetFocus(m_edits[0]);
        m_keys.sendKeys(c.keys);
        EXPECT_TRUE(settle([&] { return text(0) == c.expected; })) << c.keys;
        EXPECT_EQ(text(0), c.expected) << c.keys;
    }
}

}  // namespace
}  // namespace quorvane
