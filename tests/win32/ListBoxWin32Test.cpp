// The list box that holds no strings (LBS_NODATA): a count, and each item drawn from the block of
// lines when it shows. Driven as the user drives it (keys, typed letters) and read as others read it
// (LB_GETTEXT, the pixels on screen), at the ends of a long list whose last line has no line end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/Win32Text.h"
#include "protect/RegisterLines.h"
#include "win32/ListBoxWin32.h"

namespace quorvane::win32 {
namespace {

constexpr COLORREF kBackground = RGB(224, 224, 224);

// A window that hands its children's notifications back to them, as the forms do.
class Parent final : public Wnd {
public:
    bool make() {
        CreateArgs args;
        args.style = WS_POPUP | WS_VISIBLE;
        args.x = 0, args.y = 0, args.width = 540, args.height = 200;
        return create(WindowClass{L"QuorvaneListBoxTestParent"}, args);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (reflect(message, wParam, lParam, result)) return result;
        if (message == WM_CTLCOLORLISTBOX) {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
            ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(m_brush);
        }
        return Wnd::WndProc(message, wParam, lParam);
    }

private:
    HBRUSH m_brush = ::CreateSolidBrush(kBackground);
};

struct Fixture {
    Fixture() {
        made = parent.make();
        CreateArgs args;
        args.parent = parent.hwnd();
        args.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        args.exStyle = WS_EX_CLIENTEDGE;
        args.x = 10, args.y = 10, args.width = 240, args.height = 120;
        made = made && list.make(args, kBackground, RGB(0, 0, 0));
        // The plain control beside it, to compare with.
        plain = ::CreateWindowExW(args.exStyle, L"LISTBOX", L"", args.style, 280, 10, args.width, args.height,
                                  parent.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        made = made && plain;
        font = ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        ::SendMessageW(list.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ::SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    ~Fixture() {
        if (plain) ::DestroyWindow(plain);
        ::DeleteObject(font);
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(list.hwnd(), message, wParam, lParam);
    }
    std::wstring text(int index) {
        const LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR) return L"<error>";
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
        send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(static_cast<std::size_t>(length));
        return buffer;
    }
    void key(WPARAM vk) {
        send(WM_KEYDOWN, vk);
        send(WM_KEYUP, vk);
    }
    // The pixels of item row `index` (counted from the top shown) of `window`, as it paints itself
    // into a bitmap of its own (nothing else on screen can cover it there).
    std::vector<COLORREF> rowPixels(int index, HWND window = nullptr) {
        if (!window) window = list.hwnd();
        RECT client{};
        ::GetClientRect(window, &client);
        const HDC screen = ::GetDC(nullptr);
        const HDC dc = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
        ::ReleaseDC(nullptr, screen);
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        const int height = static_cast<int>(::SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
        std::vector<COLORREF> pixels;
        for (int y = index * height; y < (index + 1) * height && y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) pixels.push_back(::GetPixel(dc, x, y) & 0xFFFFFF);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return pixels;
    }

    Parent parent;
    ListBoxWin32 list;
    HWND plain = nullptr;
    HFONT font = nullptr;
    bool made = false;
};

RegisterLines linesOf(std::string bytes) {
    return RegisterLines(std::move(bytes), [](std::string_view line) { return fromAnsi(std::string(line)); });
}

TEST(ListBoxWin32, ALongListIsACountWithItsItemsReadFromTheBlock) {
    Fixture f;
    ASSERT_TRUE(f.made);
    constexpr int kLines = 100000;
    std::string bytes;
    for (int i = 0; i < kLines - 1; ++i) bytes += "C:\\Archive\\folder " + std::to_string(i) + "\r\n";
    bytes += "C:\\Last";  // no line end
    f.list.addLines(linesOf(bytes));
    ASSERT_EQ(f.send(LB_GETCOUNT), kLines);
    ASSERT_NE(f.list.lines(), nullptr);
    EXPECT_EQ(f.text(0), L"C:\\Archive\\folder 0");
    EXPECT_EQ(f.text(kLines - 1), L"C:\\Last");
    EXPECT_EQ(f.send(LB_GETTEXTLEN, kLines), LB_ERR);
    EXPECT_EQ(f.list.selectedIndex(), -1) << "nothing selected at first";

    // The keys reach both ends.
    ::SetFocus(f.list.hwnd());
    f.send(LB_SETCURSEL, 0);  // the first line clicked
    f.key(VK_END);
    EXPECT_EQ(f.list.selectedIndex(), kLines - 1);
    EXPECT_EQ(f.list.item(kLines - 1), "C:\\Last");
    f.list.removeItem(kLines - 1);
    f.list.clearSelection();
    EXPECT_EQ(f.send(LB_GETCOUNT), kLines - 1);
    EXPECT_EQ(f.list.selectedIndex(), -1);
    EXPECT_EQ(f.list.lines()->bytes(), bytes.substr(0, bytes.size() - 7));
    f.send(LB_SETCURSEL, 5);
    f.key(VK_HOME);
    EXPECT_EQ(f.list.selectedIndex(), 0);
    f.list.removeItem(0);
    EXPECT_EQ(f.text(0), L"C:\\Archive\\folder 1");
    EXPECT_EQ(f.list.lines()->bytes().substr(0, 21), "C:\\Archive\\folder 1\r\n");
}

TEST(ListBoxWin32, ItemsDrawAsThePlainListBoxDrawsThem) {
    Fixture f;
    ASSERT_TRUE(f.made);
    const wchar_t* items[] = {L"Alpha", L"beta", L"", L"C:\\Users\\Public\\Pictures\\Holiday 2025"};
    f.list.addLines(linesOf("Alpha\r\nbeta\r\n\r\nC:\\Users\\Public\\Pictures\\Holiday 2025"));
    for (const wchar_t* item : items) ::SendMessageW(f.plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    ASSERT_EQ(f.send(LB_GETCOUNT), 4);
    ASSERT_EQ(f.send(LB_GETITEMHEIGHT), ::SendMessageW(f.plain, LB_GETITEMHEIGHT, 0, 0));
    f.send(LB_SETCURSEL, 1);
    ::SendMessageW(f.plain, LB_SETCURSEL, 1, 0);
    // Pixel for pixel: text, background, the selected row in the system's highlight, an empty line.
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(f.rowPixels(row), f.rowPixels(row, f.plain)) << "row " << row;
    const std::vector<COLORREF> first = f.rowPixels(0);
    EXPECT_GT(std::count(first.begin(), first.end(), RGB(0, 0, 0)), 0) << "text drawn";
    const std::vector<COLORREF> second = f.rowPixels(1);
    EXPECT_GT(std::count(second.begin(), second.end(), ::GetSysColor(COLOR_HIGHLIGHT)), 0) << "selected";
}

TEST(ListBoxWin32, TheKeysMoveTheSelectionAsInThePlainListBox) {
    Fixture f;
    ASSERT_TRUE(f.made);
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
        bytes += "line " + std::to_string(i) + "\r\n";
        const std::wstring item = L"line " + std::to_wstring(i);
        ::SendMessageW(f.plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    f.list.addLines(linesOf(bytes));
    const struct {
        const char* name;
        WPARAM key;
    } keys[] = {{"Down", VK_DOWN}, {"Down", VK_DOWN}, {"End", VK_END}, {"Up", VK_UP},     {"Page Up", VK_PRIOR},
                {"Home", VK_HOME}, {"Page Down", VK_NEXT}, {"Down", VK_DOWN}, {"End", VK_END}, {"Down", VK_DOWN}};
    for (const auto& k : keys) {
        f.key(k.key);
        ::SendMessageW(f.plain, WM_KEYDOWN, k.key, 0);
        ::SendMessageW(f.plain, WM_KEYUP, k.key, 0);
        EXPECT_EQ(f.send(LB_GETCURSEL), ::SendMessageW(f.plain, LB_GETCURSEL, 0, 0)) << k.name;
        EXPECT_EQ(f.send(LB_GETTOPINDEX), ::SendMessageW(f.plain, LB_GETTOPINDEX, 0, 0)) << k.name;
    }
    EXPECT_EQ(f.list.selectedIndex(), 39);
}

TEST(ListBoxWin32, ALetterTypedMovesToTheNextItemStartingWithIt) {
    Fixture f;
    ASSERT_TRUE(f.made);
    f.list.addLines(linesOf("Alpha\r\nbeta\r\n\r\nBravo\r\n"));
    const struct {
        wchar_t typed;
        int selected;
    } steps[] = {{L'b', 1}, {L'B', 3}, {L'b', 1}, {L'a', 0}, {L'z', 0}};
    for (const auto& step : steps) {
        f.send(WM_CHAR, step.typed);
        EXPECT_EQ(f.list.selectedIndex(), step.selected) << static_cast<char>(step.typed);
    }
}

}  // namespace
}  // namespace quorvane::win32
