#include "win32/XpButtonWin32.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <vector>

#include "platform/win32/Win32Text.h"
#include "win32/Chrome.h"
#include "xpbutton/XpButtonHost.h"

namespace quorvane::win32 {

namespace {

constexpr UINT_PTR kHoverTimer = 1;

// Captions are broken at word boundaries to the width and centred line by line; "&" marks the
// access key, which is underlined.
constexpr UINT kCaptionFormat = DT_WORDBREAK | DT_CENTER | DT_TOP;

// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftState(WPARAM keys) {
    std::int16_t state = 0;
    if (keys & MK_SHIFT) state |= 1;
    if (keys & MK_CONTROL) state |= 2;
    if (::GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

std::int16_t keyShiftState() {
    std::int16_t state = 0;
    if (::GetKeyState(VK_SHIFT) < 0) state |= 1;
    if (::GetKeyState(VK_CONTROL) < 0) state |= 2;
    if (::GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

bool anyButtonHeld(WPARAM keys) { return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

// A width x height 32-bit top-down bitmap on a memory device context, for measuring and drawing text.
class TextSurface {
public:
    TextSurface(int width, int height, HFONT font) : m_width(width), m_height(height) {
        m_dc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = std::max(width, 1);
        info.bmiHeader.biHeight = -std::max(height, 1);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
        m_oldFont = ::SelectObject(m_dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~TextSurface() {
        ::SelectObject(m_dc, m_oldFont);
        ::SelectObject(m_dc, m_oldBitmap);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    TextSurface(const TextSurface&) = delete;
    TextSurface& operator=(const TextSurface&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint32_t* bits() const { return m_bits; }
    std::size_t size() const { return static_cast<std::size_t>(m_width) * m_height; }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HGDIOBJ m_oldFont = nullptr;
    std::uint32_t* m_bits = nullptr;
};

}  // namespace

class XpButtonWin32::Surface final : public XpButtonHost {
public:
    explicit Surface(XpButtonWin32& button) : b(button) {}

    bool isMouseOver() const override {
        // The lookup honours the window's region and never finds a disabled window.
        POINT at{};
        return ::GetCursorPos(&at) && b.hwnd() && ::WindowFromPoint(at) == b.hwnd();
    }
    void startHoverTimer() override { ::SetTimer(b.hwnd(), kHoverTimer, XpButtonModel::kHoverIntervalMs, nullptr); }
    void stopHoverTimer() override { ::KillTimer(b.hwnd(), kHoverTimer); }
    void captureMouse() override {
        if (::GetCapture() != b.hwnd()) ::SetCapture(b.hwnd());
    }
    void canvasResized(Canvas&) override {}  // painting reads the canvas where it is
    void invalidate() override { ::InvalidateRect(b.hwnd(), nullptr, FALSE); }
    void refresh() override {
        ::InvalidateRect(b.hwnd(), nullptr, FALSE);
        ::UpdateWindow(b.hwnd());
    }
    void applyRegion(int width, int height) override {
        // Every redraw asks for it; a region is only made again when the size has changed.
        if (b.m_regionSize.cx == width && b.m_regionSize.cy == height) return;
        b.m_regionSize = SIZE{width, height};
        ::SetWindowRgn(b.hwnd(), RegionWithoutCorners(width, height), TRUE);
    }
    Rgb backColour() const override { return rgbOf(::GetSysColor(COLOR_WINDOW)); }
    void setSurfaceEnabled(bool enabled) override { ::EnableWindow(b.hwnd(), enabled); }
    void setSurfaceFont(const StdFont& font) override {
        m_text.reset();  // it holds the old font
        // Made when the caption is first measured or drawn: a button made and then given the font
        // of its stored properties makes one font, not two.
        b.m_font = GdiFont();
        m_font = font;
        m_fontDpi = b.m_dpi;
    }
    void setAccessKeys(const std::string&) override {}  // the window asks the model (pressAccessKey)

    int captionHeight(const std::string& caption, int width) override {
        const std::wstring text = toWide(caption).value_or(L"");
        const TextSurface& surface = textSurface(b.m_model.canvas().width(), b.m_model.canvas().height());
        RECT rect{0, 0, width, 0};
        ::DrawTextW(surface.dc(), text.c_str(), static_cast<int>(text.size()), &rect, kCaptionFormat | DT_CALCRECT);
        return rect.bottom - rect.top;
    }
    void drawCaption(Canvas& canvas, const std::string& caption, const TextRect& r, std::uint32_t colour) override {
        const std::wstring text = toWide(caption).value_or(L"");
        const TextSurface& surface = textSurface(canvas.width(), canvas.height());
        std::copy(canvas.data(), canvas.data() + surface.size(), surface.bits());
        ::SetBkMode(surface.dc(), TRANSPARENT);
        ::SetTextColor(surface.dc(), colourOf(colour));
        RECT rect{r.left, r.top, r.right, r.bottom};
        ::IntersectClipRect(surface.dc(), r.left, r.top, r.right, r.bottom);
        ::DrawTextW(surface.dc(), text.c_str(), static_cast<int>(text.size()), &rect, kCaptionFormat);
        ::SelectClipRgn(surface.dc(), nullptr);
        ::GdiFlush();
        Pixel* out = canvas.data();
        for (std::size_t i = 0; i < surface.size(); ++i) out[i] = 0xFF000000u | (surface.bits()[i] & 0x00FFFFFF);
    }

    void raiseClick() override {
        if (b.onClick) b.onClick();
    }
    // No window here listens to the button's other events.
    void raiseMouseDown(std::int16_t&, std::int16_t&, float&, float&) override {}
    void raiseMouseMove(std::int16_t&, std::int16_t&, float&, float&) override {}
    void raiseMouseUp(std::int16_t&, std::int16_t&, float&, float&) override {}
    void raiseKeyPress(std::int16_t&) override {}
    void raiseKeyDown(std::int16_t&, std::int16_t&) override {}
    void raiseKeyUp(std::int16_t&, std::int16_t&) override {}
    void raiseMouseOver() override {}
    void raiseMouseOut() override {}
    void raisePropertyChanged(const std::string& name) override {
        // The window's text is the caption, for the shell's and a tester's eyes.
        if (name == "Caption" && b.hwnd())
            ::SetWindowTextW(b.hwnd(), toWide(b.m_model.Caption()).value_or(L"").c_str());
    }

    // Lets go of the font before the button deletes it.
    void releaseText() { m_text.reset(); }

private:
    // The surface the caption is measured and drawn on, kept while the canvas's size and the font
    // stay: every hover and press draws the caption again.
    const TextSurface& textSurface(int width, int height) {
        // Not smoothed: the caption is exactly its colour, as small button text always was.
        if (!b.m_font.handle() && m_font) b.m_font = GdiFont(*m_font, m_fontDpi, false);
        if (!m_text || m_text->width() != width || m_text->height() != height)
            m_text = std::make_unique<TextSurface>(width, height, b.m_font.handle());
        return *m_text;
    }

    XpButtonWin32& b;
    std::unique_ptr<TextSurface> m_text;
    std::optional<StdFont> m_font;  // the font the caption is drawn in, made when first needed
    int m_fontDpi = 96;
};

XpButtonWin32::XpButtonWin32(KeyInjector& keys)
    : m_surface(std::make_unique<Surface>(*this)), m_model(*m_surface, keys) {}

XpButtonWin32::~XpButtonWin32() {
    // The window goes before the model it calls into.
    if (hwnd()) ::DestroyWindow(hwnd());
    m_surface->releaseText();
}

bool XpButtonWin32::make(const CreateArgs& args) {
    WindowClass windowClass{kXpButtonClassName};
    windowClass.style = CS_DBLCLKS;
    if (!create(windowClass, args)) return false;
    m_dpi = static_cast<int>(::GetDpiForWindow(hwnd()));
    m_surface->setSurfaceFont(m_model.Font());
    return true;
}

void XpButtonWin32::setDpi(int dpi) {
    if (dpi == m_dpi || dpi <= 0) return;
    m_dpi = dpi;
    m_surface->setSurfaceFont(m_model.Font());
    if (!hwnd()) return;
    // Drawn again at once in the new font, at the size the window has now.
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    m_model.onResize(client.right, client.bottom);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void XpButtonWin32::readProperties(const PropertyBag& bag, const Ambient& ambient) {
    m_model.ReadProperties(bag, ambient);
    // Reading announces nothing: the text follows the caption here.
    m_surface->raisePropertyChanged("Caption");
}

bool XpButtonWin32::pressAccessKey(HWND window, wchar_t character) {
    const std::string key = fromWide(std::wstring(1, static_cast<wchar_t>(std::towlower(character))));
    struct Search {
        const std::string* key;
        XpButtonWin32* found;
    } search{&key, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            auto* button = dynamic_cast<XpButtonWin32*>(Wnd::fromHandle(child));
            if (!button || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) return TRUE;
            if (button->model().AccessKeys() != *s->key) return TRUE;
            s->found = button;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    search.found->model().onAccessKeyPress();
    return true;
}

void XpButtonWin32::mouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam));
    const float y = static_cast<float>(GET_Y_LPARAM(lParam));
    std::int16_t button = 1;
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) button = 2;
    if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) button = 4;
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    if (down) {
        // A press takes the focus, as it does on the system's buttons, and the pointer until the last
        // mouse button is released: the release comes here wherever it happens, and only the model
        // says whether it clicks.
        if (::GetFocus() != hwnd()) ::SetFocus(hwnd());
        m_surface->captureMouse();
        m_model.onMouseDown(button, shiftState(wParam), x, y);
        return;
    }
    m_model.onMouseUp(button, shiftState(wParam), x, y);
    if (!hwnd()) return;  // a handler closed the window
    const bool held = anyButtonHeld(wParam);
    // Let go before the click, whose handler may open a message box that wants the pointer.
    if (!held && ::GetCapture() == hwnd()) {
        m_releasingCapture = true;
        ::ReleaseCapture();
        m_releasingCapture = false;
    }
    m_model.onRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), held);
}

LRESULT XpButtonWin32::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answered = 0;
    if (m_accessibility.handle(message, wParam, lParam, answered)) return answered;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(hwnd(), &paint);
            if (m_model.canvas().width() > 0) PutCanvas(dc, m_model.canvas(), 0, 0);
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            // PrintWindow and WM_PRINT: the same pixels into the caller's device context.
            if (m_model.canvas().width() > 0) PutCanvas(reinterpret_cast<HDC>(wParam), m_model.canvas(), 0, 0);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the canvas covers every pixel
        case WM_SIZE:
            m_model.onResize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) m_model.onShow();
            break;
        case WM_DPICHANGED_AFTERPARENT:
            // The window has usually told the button already, while laying itself out again.
            setDpi(static_cast<int>(::GetDpiForWindow(hwnd())));
            break;
        case WM_SETFOCUS:
            m_model.onGotFocus();
            return 0;
        case WM_KILLFOCUS:
            m_model.onLostFocus();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            mouseButton(message, wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            m_model.onDblClick();
            return 0;
        case WM_MOUSEMOVE:
            m_model.onMouseMove(mouseButtonState(wParam) & 7, shiftState(wParam),
                                static_cast<float>(GET_X_LPARAM(lParam)), static_cast<float>(GET_Y_LPARAM(lParam)));
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away before the release (not let go by the release itself): no click waits.
            if (!m_releasingCapture && reinterpret_cast<HWND>(lParam) != hwnd()) m_model.onCaptureLost();
            return 0;
        case WM_TIMER:
            if (wParam == kHoverTimer) {
                m_model.onHoverTimer();
                return 0;
            }
            break;
        case WM_GETDLGCODE: {
            // Arrows and characters come here; Enter too, which presses the button. Tab stays with
            // the window, which moves the focus.
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            m_model.onKeyDown(static_cast<std::int16_t>(wParam), keyShiftState());
            return 0;
        case WM_KEYUP:
            m_model.onKeyUp(static_cast<std::int16_t>(wParam), keyShiftState());
            return 0;
        case WM_CHAR:
            m_model.onKeyPress(static_cast<std::int16_t>(wParam));
            return 0;
        default:
            break;
    }
    return Wnd::WndProc(message, wParam, lParam);
}

}  // namespace quorvane::win32
