#include "win32/ListBoxWin32.h"

#include <algorithm>
#include <limits>

#include "platform/win32/Win32Text.h"

namespace quorvane::win32 {

namespace {
constexpr std::size_t kMaxItems = static_cast<std::size_t>(std::numeric_limits<int>::max());
// The plain control's text stands this far from the item's left edge.
constexpr int kTextIndent = 1;

wchar_t upperCase(wchar_t c) {
    // CharUpperW takes a single character in the low word of its "string".
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}
}  // namespace

bool ListBoxWin32::make(const CreateArgs& args, COLORREF background, COLORREF text) {
    m_background = background;
    m_text = text;
    CreateArgs a = args;
    a.style = (a.style & ~(LBS_SORT | LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE)) | LBS_NODATA | LBS_OWNERDRAWFIXED;
    if (!createControl(L"LISTBOX", a)) return false;
    // Another process asking for an item's text (a screen reader's proxy of the list box) is
    // handed it only by a list box whose style says it has strings: the style says so from now on,
    // while the control keeps the way it was made (it reads its style once) and we answer.
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | LBS_HASSTRINGS);
    return true;
}

int ListBoxWin32::count() const { return static_cast<int>(std::min(m_lines.size(), kMaxItems)); }

std::string ListBoxWin32::item(int index) const {
    return index >= 0 && index < count() ? m_lines.text(static_cast<std::size_t>(index)) : std::string();
}

void ListBoxWin32::addLines(RegisterLines&& lines) {
    const bool first = m_blocks == 0 && m_lines.empty();
    m_lines.append(std::move(lines));
    m_blocks = first ? 1 : 2;
    ::SendMessageW(hwnd(), LB_SETCOUNT, static_cast<WPARAM>(count()), 0);
}

int ListBoxWin32::selectedIndex() const {
    const LRESULT selected = ::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void ListBoxWin32::removeItem(int index) {
    if (index < 0 || index >= count()) return;
    m_lines.remove(static_cast<std::size_t>(index));
    // The control's own count follows; its items hold nothing, so deleting one only moves the rest up.
    ::SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxWin32::clearSelection() { ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

std::wstring ListBoxWin32::shown(int index) const {
    // Text that is no UTF-8 cannot come from the code page's decoding; shown empty as before.
    return toWide(item(index)).value_or(std::wstring());
}

void ListBoxWin32::updateItemHeight() {
    // As the plain control: one line of its font.
    const HDC dc = ::GetDC(hwnd());
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    const HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(hwnd(), dc);
    if (metrics.tmHeight > 0) ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, metrics.tmHeight);
}

void ListBoxWin32::draw(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        // No items: only the focus, as the plain control shows it.
        if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
        return;
    }
    if (item.itemAction == ODA_FOCUS) {
        ::DrawFocusRect(dc, &rect);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::SetBkColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : m_background);
    ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : m_text);
    const std::wstring text = shown(static_cast<int>(item.itemID));
    ::ExtTextOutW(dc, rect.left + kTextIndent, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
                  static_cast<UINT>(text.size()), nullptr);
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rect);
}

int ListBoxWin32::findByFirstLetter(wchar_t c) const {
    const int n = count();
    if (n == 0) return -1;
    const wchar_t wanted = upperCase(c);
    const LRESULT caret = ::SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0);
    const int start = caret == LB_ERR ? 0 : static_cast<int>(caret) + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        // The first character only: a few bytes of the line, decoded as the code page reads them.
        const std::string_view bytes = m_lines.line(static_cast<std::size_t>(i)).substr(0, 4);
        wchar_t first[4] = {};
        if (bytes.empty() ||
            ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), first, 4) <= 0)
            continue;
        if (upperCase(first[0]) == wanted) return i;
    }
    return -1;
}

LRESULT ListBoxWin32::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT: {
            const LRESULT result = defaultProc(message, wParam, lParam);
            updateItemHeight();
            return result;
        }
        case LB_GETTEXTLEN: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count()) return LB_ERR;
            return static_cast<LRESULT>(shown(index).size());
        }
        case LB_GETTEXT: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count() || !lParam) return LB_ERR;
            const std::wstring text = shown(index);
            auto* out = reinterpret_cast<wchar_t*>(lParam);
            std::copy(text.begin(), text.end(), out);
            out[text.size()] = L'\0';
            return static_cast<LRESULT>(text.size());
        }
        case WM_CHAR: {
            // The plain control moves to the next item starting with the letter typed; one without
            // strings of its own leaves that to us.
            if (wParam < L' ') break;
            const int found = findByFirstLetter(static_cast<wchar_t>(wParam));
            if (found >= 0) {
                ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(found), 0);
                const HWND parent = ::GetParent(hwnd());
                const int id = ::GetDlgCtrlID(hwnd());
                ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd()));
            }
            return 0;
        }
        default:
            break;
    }
    return Wnd::WndProc(message, wParam, lParam);
}

bool ListBoxWin32::onReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

}  // namespace quorvane::win32
