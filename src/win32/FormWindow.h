#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32/GdiFont.h"
#include "win32/ListBoxWin32.h"
#include "win32/Picture.h"
#include "win32/Wnd.h"
#include "win32/XpButtonWin32.h"
#include "layouts/FormDescription.h"
#include "layouts/PictureBoxView.h"

namespace quorvane {
class KeyInjector;
}

namespace quorvane::win32 {

// A picture box: a window of its own that shows its picture at the top-left corner over its
// background colour, one picture pixel to one device pixel. As the actions see it, its picture is a
// persistent image that what they draw stays in.
class PictureBoxWin32 final : public Wnd, public PictureBoxView {
public:
    bool make(const CreateArgs& args, COLORREF background);
    // Shows `picture` from now on (nothing: the box keeps its background only).
    void setPicture(std::optional<Picture> picture);
    const std::optional<Picture>& picture() const { return m_picture; }

    void setHeight(int twips) override;
    void setWidth(int twips) override;
    void clearPicture() override;
    void drawPicture(const IconImage& picture, int x, int y) override;
    void refresh() override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc);
    COLORREF m_background = 0;
    std::optional<Picture> m_picture;
};

// A top-level window built from a layout description. Lengths are twips turned into device pixels
// at the window's own DPI, again whenever the DPI changes; the controls with a window of their own
// are child windows in focus order, the others are painted on the window's surface over its
// background (the banded gradient for the frameless working windows). A frameless window moves
// when dragged by its surface.
class FormWindow : public Wnd {
public:
    struct Options {
        // The banded background of the frameless working windows, instead of a plain colour.
        bool gradient = false;
        std::uint32_t gradientColour = 0;
        std::int32_t gradientSteps = 0;
        std::int16_t gradientStepSize = 0;
        // Windowless items a drag may start from besides the surface itself ("Image1").
        std::vector<std::string> dragItems;
    };

    FormWindow(FormDescription description, Options options, KeyInjector& keys);
    ~FormWindow() override;

    // Makes the window, hidden, owned by `owner` (null: unowned). False when it could not be made.
    bool make(HWND owner = nullptr);

    const FormDescription& description() const { return m_description; }
    int dpi() const { return m_dpi; }
    int pixels(int twips) const;

    // The inner area's new size in twips (the load-time size taken from the frame shape).
    void resizeInner(int widthTwips, int heightTwips);

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

private:
    struct Control;
    void buildControls();
    void layout();
    void paintSurface(HDC dc);
    void paintBackground(HDC dc);
    bool dragStartsAt(POINT at) const;
    const Control* find(const std::string& name, int index) const;
    RECT box(const ControlDescription& d) const;
    // The child window's rectangle: its box, a combo box with its list open.
    RECT placement(const ControlDescription& d) const;
    ControlDescription* describe(const std::string& name);

    FormDescription m_description;
    Options m_options;
    KeyInjector& m_keys;
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
