#pragma once

#include <cstdint>
#include <string>

#include "xpbutton/Canvas.h"
#include "xpbutton/StdFont.h"

namespace quorvane {

class KeyInjector;
class PropertyBag;
class XpButtonHost;

// The XP-style push button's behaviour, without a toolkit: its properties and their persistence,
// the state that pointer, keys, focus and the hover timer change, when each event is raised, and
// the look drawn into its canvas for each state. A host window delivers its notifications to the
// on... methods and gets back what it must do through XpButtonHost.
class XpButtonModel {
public:
    // The hover check is asked for this often; the host's timer may tick more slowly.
    static constexpr int kHoverIntervalMs = 1;

    // `keys` moves the focus for the arrow keys.
    XpButtonModel(XpButtonHost& host, KeyInjector& keys);

    // Properties. Each setter repaints as the look needs and announces PropertyChanged.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    const StdFont& Font() const { return m_font; }
    void setFont(const StdFont& value);
    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& value);
    // Colours are 0x00BBGGRR values, or system colour references (top bit set).
    std::uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::uint32_t value);
    std::uint32_t ForeHover() const { return m_foreHover; }
    void setForeHover(std::uint32_t value);

    // Persistence in the container's stored layout. Reading does not repaint.
    void InitProperties(const Ambient& ambient);
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient);
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const;

    // State.
    bool Hovering() const { return m_hovering; }
    std::int16_t MoveLatch() const { return m_moveLatch; }
    bool Focused() const { return m_focused; }
    std::int16_t LastButton() const { return m_lastButton; }
    // The key pressed last while the control had the focus, 0 again once a Click is raised, the
    // focus is lost or the window stops being the active one: a release clicks only when its
    // own press reached this control.
    std::int16_t LastKey() const { return m_lastKey; }
    // Whether (x, y), in the canvas's pixels, is one of the four corner pixels the control's shape
    // leaves out: there the container shows through and takes the pointer.
    bool isOnCutCorner(int x, int y) const;
    // Whether (x, y), in the canvas's pixels, lies on the control's shape: inside its rectangle and
    // off the cut corners.
    bool isOnShape(int x, int y) const;
    // The access-key character shown underlined in the caption (lower case, UTF-8), or "".
    const std::string& AccessKeys() const { return m_accessKeys; }
    // The persistent image: the look of the current state, W x H.
    const Canvas& canvas() const { return m_canvas; }

    // The host's notifications. Mouse buttons: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl,
    // 4 Alt; X and Y in the control's pixels. onClick comes after a press and release of any
    // button over the control; onDblClick in place of the second press of a double click.
    void onResize(int width, int height);
    void onShow();
    void onGotFocus();
    void onLostFocus();
    // The control's window stopped being the active one: keys pressed now go elsewhere.
    void onWindowDeactivate();
    void onMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void onMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void onMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // After onMouseUp, with the release's point in the canvas's pixels and whether buttons are still
    // held: the release clicks (onClick) when a press on the control waits for it (onMouseDown, not
    // the second press of a double click) and it lies on the control's shape. The wait ends with the
    // last button's release.
    void onRelease(int x, int y, bool buttonsStillHeld);
    // The pointer was taken from the control while a press waited for its release (another window
    // took the capture, the system cancelled it): that release never comes here, so no later one
    // clicks, and the pressed look goes.
    void onCaptureLost();
    void onClick();
    void onDblClick();
    // Key codes are virtual key codes (13 Enter, 32 Space, 37 to 40 the arrows).
    void onKeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void onKeyUp(std::int16_t KeyCode, std::int16_t Shift);
    void onKeyPress(std::int16_t KeyAscii);
    void onAccessKeyPress();
    void onHoverTimer();

private:
    // Draws the whole look of the current state; Down = 1 shows the pressed look when the last
    // button was the left one.
    void Redraw(int Down);
    void DrawCaption();
    void UpdateAccessKey();
    void applyFont(const StdFont& font);
    void raiseClick();
    void press(std::int16_t Button, std::int16_t Shift, float X, float Y);

    XpButtonHost& m_host;
    KeyInjector& m_keys;

    bool m_enabled = true;
    StdFont m_font;
    std::string m_caption;
    std::uint32_t m_foreColor = 0x80000012;  // the system's button text colour until set
    std::uint32_t m_foreHover = 0;

    bool m_hovering = false;
    std::int16_t m_moveLatch = 0;
    bool m_focused = false;
    std::int16_t m_lastButton = 0;
    std::int16_t m_lastKey = 0;
    bool m_clickPending = false;  // a press on the control waits for its release
    std::string m_accessKeys;

    int W = 0;
    int H = 0;
    Canvas m_canvas;
};

}  // namespace quorvane
