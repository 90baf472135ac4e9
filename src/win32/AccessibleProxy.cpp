#include "win32/AccessibleProxy.h"

#include <commctrl.h>

namespace quorvane::win32 {

AccessibleProxy::AccessibleProxy(HWND hwnd) : m_hwnd(hwnd) {
    ::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIID_IAccessible, reinterpret_cast<void**>(&m_standard));
}

AccessibleProxy::~AccessibleProxy() {
    if (m_standard) m_standard->Release();
}

LRESULT AccessibleProxy::answer(WPARAM wParam) {
    return ::LresultFromObject(kIID_IAccessible, wParam, static_cast<IAccessible*>(this));
}

HRESULT AccessibleProxy::textOut(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleProxy::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleProxy::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }

ULONG AccessibleProxy::Release() {
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleProxy::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleProxy::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT AccessibleProxy::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleProxy::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// Forwarded to the standard object; a window gone since leaves none to ask.
#define QUORVANE_FORWARD(call)                            \
    if (!m_standard || !::IsWindow(m_hwnd)) return kGone; \
    return m_standard->call

HRESULT AccessibleProxy::get_accParent(IDispatch** parent) { QUORVANE_FORWARD(get_accParent(parent)); }
HRESULT AccessibleProxy::get_accChildCount(long* count) { QUORVANE_FORWARD(get_accChildCount(count)); }
HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch** dispatch) {
    QUORVANE_FORWARD(get_accChild(child, dispatch));
}
HRESULT AccessibleProxy::get_accName(VARIANT child, BSTR* name) { QUORVANE_FORWARD(get_accName(child, name)); }
HRESULT AccessibleProxy::get_accValue(VARIANT child, BSTR* value) { QUORVANE_FORWARD(get_accValue(child, value)); }
HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    QUORVANE_FORWARD(get_accDescription(child, description));
}
HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT* role) { QUORVANE_FORWARD(get_accRole(child, role)); }
HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT* state) { QUORVANE_FORWARD(get_accState(child, state)); }
HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR* help) { QUORVANE_FORWARD(get_accHelp(child, help)); }
HRESULT AccessibleProxy::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) {
    QUORVANE_FORWARD(get_accHelpTopic(helpFile, child, topic));
}
HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    QUORVANE_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
HRESULT AccessibleProxy::get_accFocus(VARIANT* child) { QUORVANE_FORWARD(get_accFocus(child)); }
HRESULT AccessibleProxy::get_accSelection(VARIANT* children) { QUORVANE_FORWARD(get_accSelection(children)); }
HRESULT AccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action) {
    QUORVANE_FORWARD(get_accDefaultAction(child, action));
}
HRESULT AccessibleProxy::accSelect(long flags, VARIANT child) { QUORVANE_FORWARD(accSelect(flags, child)); }
HRESULT AccessibleProxy::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    QUORVANE_FORWARD(accLocation(left, top, width, height, child));
}
HRESULT AccessibleProxy::accNavigate(long direction, VARIANT start, VARIANT* end) {
    QUORVANE_FORWARD(accNavigate(direction, start, end));
}
HRESULT AccessibleProxy::accHitTest(long left, long top, VARIANT* child) {
    QUORVANE_FORWARD(accHitTest(left, top, child));
}
HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child) { QUORVANE_FORWARD(accDoDefaultAction(child)); }
HRESULT AccessibleProxy::put_accName(VARIANT child, BSTR name) { QUORVANE_FORWARD(put_accName(child, name)); }
HRESULT AccessibleProxy::put_accValue(VARIANT child, BSTR value) { QUORVANE_FORWARD(put_accValue(child, value)); }

#undef QUORVANE_FORWARD

namespace {

// The system's object for a control, under another name (and role).
class RenamedAccessible final : public AccessibleProxy {
public:
    RenamedAccessible(HWND hwnd, const std::wstring& name, long role)
        : AccessibleProxy(hwnd), m_name(name), m_role(role) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return AccessibleProxy::get_accName(child, name);
        return textOut(m_name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child) || m_role == 0) return AccessibleProxy::get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }

private:
    std::wstring m_name;
    long m_role;
};

struct Annotation {
    std::wstring name;
    long role;
};

constexpr UINT_PTR kAnnotationSubclass = 0x51A11;  // this file's subclass of a control

LRESULT CALLBACK annotatedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* annotation = reinterpret_cast<Annotation*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
        auto* object = new RenamedAccessible(hwnd, annotation->name, annotation->role);
        const LRESULT result = object->answer(wParam);
        object->Release();
        return result;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, annotatedProc, kAnnotationSubclass);
        delete annotation;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void nameForAssistiveTechnology(HWND control, const std::wstring& name, long role) {
    if (!control) return;
    auto* annotation = new Annotation{name, role};
    if (!::SetWindowSubclass(control, annotatedProc, kAnnotationSubclass, reinterpret_cast<DWORD_PTR>(annotation)))
        delete annotation;
}

}  // namespace quorvane::win32
