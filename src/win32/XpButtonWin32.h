#pragma once

#include <functional>
#include <memory>
#include <string>

#include "win32/GdiFont.h"
#include "win32/Wnd.h"
#include "win32/XpButtonClass.h"
#include "win32/XpButtonAccessible.h"
#include "xpbutton/XpButtonModel.h"

namespace quorvane {
class KeyInjector;
}

namespace quorvane::win32 {

// The owner-drawn XP-style push button as a window class of its own (kXpButtonClassName): it hands the
// window's messages to the button's model and puts the model's canvas on screen one pixel to one;
// the window has no corner pixels. The canvas is as large as the window in device pixels, so the
// face is drawn at the screen's own resolution.
class XpButtonWin32 final : public Wnd {
public:
    explicit XpButtonWin32(KeyInjector& keys);
    ~XpButtonWin32() override;

    bool make(const CreateArgs& args);

    // The stored properties, read as the model reads them; the window's text becomes the caption.
    void readProperties(const PropertyBag& bag, const Ambient& ambient);

    XpButtonModel& model() { return m_model; }
    const XpButtonModel& model() const { return m_model; }
    // What screen readers are told of the button.
    const XpButtonAccessibility& accessibility() const { return m_accessibility; }

    // The DPI the caption is drawn for: a new one gives the caption its font at that DPI and draws
    // the button again at once, at the size its window has.
    void setDpi(int dpi);
    int dpi() const { return m_dpi; }

    // Raised after a press and release over the button, or its key or access key.
    std::function<void()> onClick;

    // Presses the button whose access key `character` is (lower case), if it is enabled and shown;
    // true when one took it. The windows call this for Alt + a key.
    static bool pressAccessKey(HWND window, wchar_t character);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Surface;
    friend class Surface;

    void mouseButton(UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Surface> m_surface;
    XpButtonModel m_model;
    GdiFont m_font;
    int m_dpi = 96;  // the DPI of m_font
    bool m_releasingCapture = false;  // the release lets go of the pointer: no capture is lost
    SIZE m_regionSize{-1, -1};  // the size the window's region was made for
    XpButtonAccessibility m_accessibility{*this};
};

}  // namespace quorvane::win32
