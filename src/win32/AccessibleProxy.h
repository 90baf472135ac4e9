#pragma once

#include <windows.h>
// after the Windows types
#include <oleacc.h>

#include <string>

namespace quorvane::win32 {

// IAccessible's interface identifier, spelled out: the import library of the cross toolchain
// carries a wrong one.
inline constexpr GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// An IAccessible for a window's client area that answers as the system's standard object for that
// window (CreateStdAccessibleObject) does, except where a subclass says otherwise: place, parent,
// navigation and hit testing stay the system's. The window's procedure hands it out for
// WM_GETOBJECT through answer(). Made with one reference, which the maker releases.
class AccessibleProxy : public IAccessible {
public:
    explicit AccessibleProxy(HWND hwnd);
    AccessibleProxy(const AccessibleProxy&) = delete;
    AccessibleProxy& operator=(const AccessibleProxy&) = delete;

    // The result of WM_GETOBJECT (its wParam given) that hands this object to the asker.
    LRESULT answer(WPARAM wParam);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; assistive technology calls IAccessible's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible, each forwarded to the standard object unless a subclass answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    virtual ~AccessibleProxy();

    HWND hwnd() const { return m_hwnd; }
    // Whether `child` names the window's client area itself.
    static bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // `text` handed out as a BSTR; S_FALSE for "" (nothing to say), as the system's objects do.
    static HRESULT textOut(const std::wstring& text, BSTR* out);
    // The answer for a window that has gone while its object was still held.
    static constexpr HRESULT kGone = static_cast<HRESULT>(0x80040108L);  // CO_E_OBJNOTCONNECTED

private:
    LONG m_references = 1;
    HWND m_hwnd;
    IAccessible* m_standard = nullptr;
};

// Gives a control that shows no name of its own (a text, combo or list box, a picture box) the
// name a screen reader reads for it, and the role when `role` is not 0 (ROLE_SYSTEM_GRAPHIC for a
// picture): the control answers WM_GETOBJECT for its client area with the system's object for it,
// renamed. For the control's life.
void nameForAssistiveTechnology(HWND control, const std::wstring& name, long role = 0);

}  // namespace quorvane::win32
