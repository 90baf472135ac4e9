#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32/FormAccessible.h"
#include "win32/GdiFont.h"
#include "win32/ListBoxWin32.h"
#include "win32/Picture.h"
#include "win32/PictureBoxWin32.h"
#include "win32/Wnd.h"
#include "win32/XpButtonWin32.h"
#include "layouts/FormDescription.h"

namespace quorvane {
class KeyInjector;
}

namespace quorvane::win32 {

// A top-level window built from a layout description. Lengths are twips turned into device pixels
// at the window's own DPI, again whenever the DPI changes; the controls with a window of their own
// are child windows in focus order, the others are painted on the window's surface over its
// background (the banded gradient where the layout states one). A frameless window moves when
// dragged by its surface or by the items its layout names for that.
class FormWindow : public Wnd, public FormLabels {
public:
    FormWindow(FormDescription description, KeyInjector& keys);
    ~FormWindow() override;

    // Makes the window, hidden, owned by `owner` (null: none of the program's visible windows; one
    // without a taskbar button is then owned by a hidden window). False when it could not be made.
    bool make(HWND owner = nullptr);

    // Puts the window where its layout says a loaded window stands: centred, or its inner area at
    // the stored place (made windows are there already).
    void placeWindow();

    const FormDescription& description() const { return m_description; }
    int dpi() const { return m_dpi; }
    int pixels(int twips) const;

    // The inner area's new size in twips.
    void resizeInner(int widthTwips, int heightTwips);
    // The inner area takes the size of the layout's frame shape; nothing without one.
    void sizeToFrameShape();

    XpButtonWin32* button(const std::string& name, int index = -1) const;
    PictureBoxWin32* pictureBox(const std::string& name) const;
    // An unsorted list box: a view over the lines it is given.
    ListBoxWin32* listBox(const std::string& name) const;
    HWND control(const std::string& name, int index = -1) const;

    // Gives the focus to the first control of the focus order that can take it.
    void focusFirst();

    // A windowless item's new text (a label), painted from now on.
    void setItemText(const std::string& name, const std::string& text);
    // Shows or hides a control, with a window of its own or not.
    void setControlVisible(const std::string& name, bool visible);

    // The labels as screen readers are told of them, in the order they are read (their tab indexes).
    std::vector<AccessibleLabel> accessibleLabels() const override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A window closed by the user (Alt+F4, the system menu) goes the way its class decides.
    virtual void onClose() { ::DestroyWindow(hwnd()); }
    // Escape pressed in the window.
    virtual void onEscape() {}
    // A standard control's notification (`code`, such as LBN_DBLCLK); true when handled.
    virtual bool onCommand(HWND /*control*/, WORD /*code*/) { return false; }
    // Once, when the window has been painted the first time: what can wait for it goes here.
    virtual void onFirstPainted() {}
    // After the window and its controls took a new DPI: what else follows it goes here.
    virtual void onDpiFollowed() {}

private:
    struct Control;
    void buildControls();
    void layout();
    void paintSurface(HDC dc);
    void paintBackground(HDC dc);
    bool dragStartsAt(POINT at) const;
    // The window procedure's handlers, one a message.
    void onPaintMessage();
    bool onCommandMessage(WPARAM wParam, LPARAM lParam);
    HBRUSH controlColours(HDC dc, HWND child) const;
    // An entry of a combo box, in its field or its list; false when it is none of ours.
    bool drawComboItem(const DRAWITEMSTRUCT& item) const;
    void onMouseMove(WPARAM wParam);
    bool onActivate(WPARAM wParam);
    void onDpiChanged(int dpi, const RECT& suggested);
    const Control* find(const std::string& name, int index) const;
    RECT box(const ControlDescription& d) const;
    // The child window's rectangle: its box, a combo box with its list open.
    RECT placement(const ControlDescription& d) const;
    ControlDescription* describe(const std::string& name);

    FormDescription m_description;
    KeyInjector& m_keys;
    HWND m_hiddenOwner = nullptr;  // owns a window that has no taskbar button and no other owner
    int m_dpi = 96;
    int m_innerWidthTwips = 0;
    int m_innerHeightTwips = 0;
    bool m_pressOnSurface = false;
    HWND m_focusedControl = nullptr;  // the control to give the focus back to on activation
    std::vector<std::unique_ptr<Control>> m_controls;
    void decodeImages();

    std::map<std::string, std::optional<Picture>> m_images;  // windowless images by name
    bool m_imagesDecoded = false;
    bool m_firstPaintDone = false;
};

}  // namespace quorvane::win32
