#include "win32/FormAccessible.h"

#include <optional>

#include "win32/AccessibleProxy.h"
#include "win32/Wnd.h"

namespace quorvane::win32 {

namespace {

class FormAccessible final : public AccessibleProxy {
public:
    explicit FormAccessible(HWND form) : AccessibleProxy(form) {}

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        const HRESULT windows = AccessibleProxy::get_accChildCount(count);
        if (FAILED(windows)) return windows;
        *count += static_cast<long>(labels().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        if (labelAt(child)) {
            if (!dispatch) return E_POINTER;
            *dispatch = nullptr;
            return S_FALSE;  // a simple element: its parent answers for it
        }
        return AccessibleProxy::get_accChild(child, dispatch);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (const auto label = labelAt(child)) return textOut(label->text, name);
        return AccessibleProxy::get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!labelAt(child)) return AccessibleProxy::get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const auto label = labelAt(child);
        if (!label) return AccessibleProxy::get_accState(child, state);
        if (!state) return E_POINTER;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY | (label->visible ? 0 : STATE_SYSTEM_INVISIBLE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        const auto label = labelAt(child);
        if (!label) return AccessibleProxy::accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_POINTER;
        POINT corner{label->rect.left, label->rect.top};
        ::ClientToScreen(hwnd(), &corner);
        *left = corner.x;
        *top = corner.y;
        *width = label->rect.right - label->rect.left;
        *height = label->rect.bottom - label->rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        const HRESULT hit = AccessibleProxy::accHitTest(x, y, child);
        // The surface itself answered: a label there is what lies under the point.
        if (hit != S_OK || !child || child->vt != VT_I4 || child->lVal != CHILDID_SELF) return hit;
        POINT at{x, y};
        ::ScreenToClient(hwnd(), &at);
        const std::vector<AccessibleLabel> all = labels();
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].visible && ::PtInRect(&all[i].rect, at)) {
                child->lVal = windowCount() + static_cast<long>(i) + 1;
                break;
            }
        }
        return hit;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (labelAt(child)) return textOut(L"", action);
        return AccessibleProxy::get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (labelAt(child)) return DISP_E_MEMBERNOTFOUND;
        return AccessibleProxy::accDoDefaultAction(child);
    }

private:
    std::vector<AccessibleLabel> labels() const {
        const auto* form = ::IsWindow(hwnd()) ? dynamic_cast<const FormLabels*>(Wnd::fromHandle(hwnd())) : nullptr;
        return form ? form->accessibleLabels() : std::vector<AccessibleLabel>{};
    }
    long windowCount() {
        long count = 0;
        return SUCCEEDED(AccessibleProxy::get_accChildCount(&count)) ? count : 0;
    }
    // The label a child id names, if it names one.
    std::optional<AccessibleLabel> labelAt(const VARIANT& child) {
        if (child.vt != VT_I4 || child.lVal <= 0) return std::nullopt;
        const long index = child.lVal - windowCount() - 1;
        const std::vector<AccessibleLabel> all = labels();
        if (index < 0 || index >= static_cast<long>(all.size())) return std::nullopt;
        return all[static_cast<std::size_t>(index)];
    }
};

}  // namespace

LRESULT answerFormObject(HWND form, WPARAM wParam) {
    auto* object = new FormAccessible(form);
    const LRESULT result = object->answer(wParam);
    object->Release();
    return result;
}

}  // namespace quorvane::win32
