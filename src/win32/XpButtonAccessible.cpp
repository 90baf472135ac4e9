#include "win32/XpButtonAccessible.h"

#include <string>

#include "platform/win32/Win32Text.h"
#include "win32/AccessibleProxy.h"
#include "win32/XpButtonWin32.h"
#include "xpbutton/AccessibleText.h"

namespace quorvane::win32 {

namespace {

// The default action's name, as the system's push buttons give it.
constexpr wchar_t kPress[] = L"Press";

// The button's IAccessible. It holds the window's handle only and finds the button anew for each
// question (on the window's thread, where COM brings a screen reader's calls): a client may keep
// the object after the button is gone.
class XpButtonAccessible final : public AccessibleProxy {
public:
    explicit XpButtonAccessible(HWND hwnd) : AccessibleProxy(hwnd) {}

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return E_INVALIDARG;
        const XpButtonWin32* b = button();
        if (!b) return kGone;
        return textOut(toWide(captionName(b->model().Caption())).value_or(L""), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child)) return E_INVALIDARG;
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!isSelf(child)) return E_INVALIDARG;
        if (!state) return E_POINTER;
        const XpButtonWin32* b = button();
        if (!b) return kGone;
        long s = STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == hwnd()) s |= STATE_SYSTEM_FOCUSED;
        if (!::IsWindowEnabled(hwnd())) s |= STATE_SYSTEM_UNAVAILABLE;
        if (!::IsWindowVisible(hwnd())) s |= STATE_SYSTEM_INVISIBLE;
        if (b->accessibility().isHeld()) s |= STATE_SYSTEM_PRESSED;
        if (b->model().Hovering()) s |= STATE_SYSTEM_HOTTRACKED;
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!isSelf(child)) return E_INVALIDARG;
        const XpButtonWin32* b = button();
        if (!b) return kGone;
        return textOut(toWide(accessKeyShortcut(b->model().AccessKeys())).value_or(L""), shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!isSelf(child)) return E_INVALIDARG;
        return textOut(kPress, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!isSelf(child)) return E_INVALIDARG;
        if (!button()) return kGone;
        // Queued: the click may open a message box, whose modal loop would hold the caller.
        return ::PostMessageW(hwnd(), XpButtonAccessibility::kPressMessage, 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!isSelf(child)) return E_INVALIDARG;
        if (value) *value = nullptr;
        return DISP_E_MEMBERNOTFOUND;  // a push button has no value
    }

private:
    const XpButtonWin32* button() const {
        return ::IsWindow(hwnd()) ? dynamic_cast<const XpButtonWin32*>(Wnd::fromHandle(hwnd())) : nullptr;
    }
};

void announce(DWORD event, HWND hwnd) { ::NotifyWinEvent(event, hwnd, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace

bool XpButtonAccessibility::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND hwnd = m_button.hwnd();
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return false;
            {
                auto* object = new XpButtonAccessible(hwnd);
                result = object->answer(wParam);
                object->Release();
            }
            return true;
        case kPressMessage:
            if (::IsWindowEnabled(hwnd) && ::IsWindowVisible(hwnd)) m_button.model().onAccessKeyPress();
            result = 0;
            return true;
        case WM_SETFOCUS:
            announce(EVENT_OBJECT_FOCUS, hwnd);
            return false;
        case WM_KILLFOCUS:
            setHeld(false);
            return false;
        case WM_ENABLE:
            if (!wParam) setHeld(false);
            announce(EVENT_OBJECT_STATECHANGE, hwnd);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            setHeld(true);
            return false;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            setHeld(false);
            return false;
        case WM_KEYDOWN:
            // A first press, not the repeats of a held key.
            if ((wParam == VK_SPACE || wParam == VK_RETURN) && !(lParam & (1L << 30))) setHeld(true);
            return false;
        case WM_KEYUP:
            if (wParam == VK_SPACE || wParam == VK_RETURN) setHeld(false);
            return false;
        default:
            return false;
    }
}

void XpButtonAccessibility::setHeld(bool held) {
    if (held == m_held) return;
    m_held = held;
    if (m_button.hwnd()) announce(EVENT_OBJECT_STATECHANGE, m_button.hwnd());
}

}  // namespace quorvane::win32
