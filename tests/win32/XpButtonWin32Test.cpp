// The button as a window of its own on the virtual display: its face on screen is the model's canvas
// pixel for pixel, its corners are cut off, and presses, releases and access keys reach the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/KeyInjector.h"
#include "win32/UserMessages.h"
#include "win32/Wnd.h"
#include "win32/XpButtonWin32.h"
#include "xpbutton/Canvas.h"

namespace quorvane::win32 {
namespace {

class Host final : public Wnd {
public:
    bool make() {
        CreateArgs args;
        args.style = WS_POPUP | WS_VISIBLE;
        args.x = 50, args.y = 50, args.width = 200, args.height = 100;
        return create(WindowClass{L"QuorvaneButtonTestHost"}, args);
    }
};

class XpButtonWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
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
    }

    void settle() {
        for (int i = 0; i < 5; ++i) {
            m_messages.processPendingEvents();
            ::Sleep(10);
        }
    }

    // The button's client pixels as the screen shows them, 0x00RRGGBB.
    std::vector<std::uint32_t> screenPixels() {
        const int w = 77;
        const int h = 26;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const HDC screen = ::GetDC(nullptr);
        const HDC dc = ::CreateCompatibleDC(screen);
        std::uint32_t* bits = nullptr;
        const HBITMAP bitmap =
            ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        POINT origin{0, 0};
        ::ClientToScreen(m_button.hwnd(), &origin);
        ::BitBlt(dc, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
        ::GdiFlush();
        std::vector<std::uint32_t> pixels(bits, bits + w * h);
        for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
        return pixels;
    }

    void post(UINT message, WPARAM keys, int x, int y) {
        ::PostMessageW(m_button.hwnd(), message, keys, MAKELPARAM(x, y));
        settle();
    }

    Host m_host;
    KeyInjectorWin32 m_keys;
    UserMessagesWin32 m_messages;
    XpButtonWin32 m_button{m_keys};
    int m_clicks = 0;
};

TEST_F(XpButtonWin32Test, TheScreenShowsTheCanvasPixelForPixel) {
    const Canvas& canvas = m_button.model().canvas();
    ASSERT_EQ(canvas.width(), 77);
    ASSERT_EQ(canvas.height(), 26);
    const std::vector<std::uint32_t> screen = screenPixels();
    int differing = 0;
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < 77; ++x) {
            const bool corner = (x == 0 || x == 76) && (y == 0 || y == 25);
            if (!corner) differing += screen[y * 77 + x] != (canvas.at(x, y) & 0x00FFFFFF);
        }
    }
    EXPECT_EQ(differing, 0);
    // The face's own colours: the blue frame, the bottom's shadow row.
    EXPECT_EQ(screen[38], 0x003C74u);
    EXPECT_EQ(screen[24 * 77 + 38], 0xD6D0C5u);
}

TEST_F(XpButtonWin32Test, TheCornerPixelsAreNotTheButtons) {
    const struct {
        int x, y;
        bool button;
    } cases[] = {{0, 0, false}, {76, 0, false}, {0, 25, false}, {76, 25, false}, {1, 0, true}, {38, 13, true}};
    for (const auto& c : cases) {
        POINT at{c.x, c.y};
        ::ClientToScreen(m_button.hwnd(), &at);
        EXPECT_EQ(::WindowFromPoint(at) == m_button.hwnd(), c.button) << c.x << "," << c.y;
    }
}

TEST_F(XpButtonWin32Test, APressAndReleaseOverTheShapeClicks) {
    const struct {
        const char* name;
        UINT down, up;
        WPARAM held;
        int upX, upY;
        int clicks;
    } cases[] = {
        {"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 10, 10, 1},
        {"right button: only the left one clicks", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 10, 10, 0},
        {"released on a cut corner", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0, 0, 0},
        {"released outside", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 90, 10, 0},
    };
    for (const auto& c : cases) {
        m_clicks = 0;
        post(c.down, c.held, 10, 10);
        post(c.up, 0, c.upX, c.upY);
        EXPECT_EQ(m_clicks, c.clicks) << c.name;
        EXPECT_EQ(::GetFocus(), m_button.hwnd()) << c.name << ": a press takes the focus";
    }
}

// A press holds the pointer until the release lets it go; taken away meanwhile (another window
// captures it), the press is over: the release that follows clicks nothing, and no later one does.
TEST_F(XpButtonWin32Test, APressHoldsThePointerAndLosingItEndsThePress) {
    post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_EQ(::GetCapture(), m_button.hwnd());
    post(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_clicks, 1);

    m_clicks = 0;
    post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    ::SetCapture(m_host.hwnd());
    settle();
    ::ReleaseCapture();
    post(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(m_clicks, 0) << "the press ended with the capture";
    EXPECT_FALSE(m_button.accessibility().isHeld());
    post(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(XpButtonWin32Test, TheAccessKeyPressesTheButtonWithItsWindowActive) {
    const struct {
        wchar_t key;
        bool taken;
    } cases[] = {{L'l', true}, {L'L', true}, {L'x', false}};
    for (const auto& c : cases) {
        m_clicks = 0;
        EXPECT_EQ(XpButtonWin32::pressAccessKey(m_host.hwnd(), c.key), c.taken) << static_cast<char>(c.key);
        settle();
        EXPECT_EQ(m_clicks, c.taken ? 1 : 0) << static_cast<char>(c.key);
    }
    ::EnableWindow(m_button.hwnd(), FALSE);
    EXPECT_FALSE(XpButtonWin32::pressAccessKey(m_host.hwnd(), L'l')) << "a disabled button takes no key";
}

TEST_F(XpButtonWin32Test, TheWindowsTextIsTheCaption) {
    wchar_t text[64] = {};
    ::GetWindowTextW(m_button.hwnd(), text, 64);
    EXPECT_EQ(std::wstring(text), L"&Lock Folder");
    EXPECT_EQ(m_button.model().AccessKeys(), "l");
}

}  // namespace
}  // namespace quorvane::win32
