#include "xpbutton/XpButtonModel.h"

#include "platform/KeyInjector.h"
#include "xpbutton/AccessKey.h"
#include "xpbutton/ButtonFace.h"
#include "xpbutton/CaptionLayout.h"
#include "xpbutton/PropertyBag.h"
#include "xpbutton/XpButtonHost.h"

namespace quorvane {

namespace {

constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kKeyLeft = 37;
constexpr std::int16_t kKeyUp = 38;
constexpr std::int16_t kKeyRight = 39;
constexpr std::int16_t kKeyDown = 40;

}  // namespace

XpButtonModel::XpButtonModel(XpButtonHost& host, KeyInjector& keys) : m_host(host), m_keys(keys) {}

// --- Properties ---------------------------------------------------------------------------------

void XpButtonModel::setEnabled(bool value) {
    m_enabled = value;
    m_host.raisePropertyChanged("Enabled");
    m_host.setSurfaceEnabled(value);
    Redraw(0);
}

void XpButtonModel::setFont(const StdFont& value) {
    applyFont(value);
    Redraw(0);
    m_host.raisePropertyChanged("Font");
}

void XpButtonModel::setCaption(const std::string& value) {
    m_caption = value;
    Redraw(0);
    UpdateAccessKey();
    m_host.raisePropertyChanged("Caption");
}

void XpButtonModel::setForeColor(std::uint32_t value) {
    m_foreColor = value;
    Redraw(0);
    m_host.raisePropertyChanged("ForeColor");
}

void XpButtonModel::setForeHover(std::uint32_t value) {
    m_foreHover = value;  // shows at the next repaint
    m_host.raisePropertyChanged("ForeHover");
}

void XpButtonModel::applyFont(const StdFont& font) {
    m_font = font;
    m_host.setSurfaceFont(font);
}

// --- Persistence --------------------------------------------------------------------------------

void XpButtonModel::InitProperties(const Ambient& ambient) {
    applyFont(ambient.Font);
    m_caption = ambient.DisplayName;
    m_enabled = true;
    UpdateAccessKey();
}

void XpButtonModel::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
    m_enabled = bag.readBoolean("Enabled", true);
    applyFont(bag.readFont("Font", ambient.Font));
    m_caption = bag.readString("Caption", ambient.DisplayName);
    m_foreColor = bag.readColour("ForeColor", ambient.ForeColor);
    m_foreHover = bag.readColour("ForeHover", m_foreColor);
    m_host.setSurfaceEnabled(m_enabled);
    UpdateAccessKey();
}

void XpButtonModel::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
    // The defaults are those reading uses, so what is left out reads back the same.
    bag.write("Enabled", PropertyBag::boolean(m_enabled), PropertyBag::boolean(true));
    bag.write("Font", m_font, ambient.Font);
    bag.write("Caption", m_caption, ambient.DisplayName);
    bag.write("ForeColor", m_foreColor);
    // Left out only when reading it back gives it again: a missing ForeHover reads as ForeColor.
    // (Leaving it out when it equals the ambient colour would lose it on the next read.)
    bag.write("ForeHover", m_foreHover, m_foreColor);
}

// --- Drawing ------------------------------------------------------------------------------------

void XpButtonModel::Redraw(int Down) {
    const Rgb background = m_host.backColour();
    if (!m_enabled) {
        DrawDisabledFace(m_canvas, background);
    } else if (Down == 1 && m_lastButton == 1) {
        DrawPressedFace(m_canvas, background);
        DrawBorder(m_canvas);
    } else {
        DrawFace(m_canvas, background);
        if (m_hovering) {
            DrawHoverEdge(m_canvas);
            DrawBorder(m_canvas);
        } else {
            if (m_focused) DrawFocusEdge(m_canvas);
            DrawBorder(m_canvas);
        }
    }
    DrawCaption();
    m_host.applyRegion(W, H);
    m_host.invalidate();
}

void XpButtonModel::DrawCaption() {
    if (W <= 0 || H <= 0 || m_caption.empty()) return;
    const int h = m_host.captionHeight(m_caption, W);
    const TextRect r = captionRect(static_cast<float>(W), static_cast<float>(H), h);
    if (r.right <= r.left || r.bottom <= r.top) return;
    m_host.drawCaption(m_canvas, m_caption, r, captionColour(m_enabled, m_hovering, m_foreColor, m_foreHover));
}

// --- Access key ---------------------------------------------------------------------------------

void XpButtonModel::UpdateAccessKey() {
    m_accessKeys = accessKeyOf(m_caption);
    m_host.setAccessKeys(m_accessKeys);
}

void XpButtonModel::onAccessKeyPress() {
    m_lastButton = 1;
    onClick();
}

// --- Pointer ------------------------------------------------------------------------------------

void XpButtonModel::onMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    m_clickPending = true;
    press(Button, Shift, X, Y);
}

void XpButtonModel::press(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (!m_enabled) return;
    m_lastButton = Button;
    m_host.refresh();
    if (Button != 2) Redraw(1);
    m_host.raiseMouseDown(Button, Shift, X, Y);
}

void XpButtonModel::onMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (Button < 2) {
        if (!m_host.isMouseOver()) {
            if (m_moveLatch == 0) return;
            Redraw(0);  // a captured move outside: the latch stays
        } else {
            if (m_moveLatch == 1) return;
            m_moveLatch = 1;
            if (Button == 0 && !m_hovering) {
                m_host.startHoverTimer();
                m_hovering = true;
                m_moveLatch = 0;
                Redraw(0);
                m_host.raiseMouseOver();
            } else if (Button == 1) {
                m_hovering = true;
                Redraw(1);
                m_hovering = false;
            }
        }
    }
    m_host.raiseMouseMove(Button, Shift, X, Y);
}

void XpButtonModel::onHoverTimer() {
    if (m_host.isMouseOver()) return;
    m_host.stopHoverTimer();
    m_hovering = false;
    m_moveLatch = 0;
    Redraw(0);
    m_host.raiseMouseOut();
}

void XpButtonModel::onMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    Redraw(0);
    m_host.refresh();
    m_host.raiseMouseUp(Button, Shift, X, Y);
}

void XpButtonModel::onRelease(int x, int y, bool buttonsStillHeld) {
    // A press and a release of any button over the control's shape.
    const bool click = m_clickPending && isOnShape(x, y);
    if (!buttonsStillHeld) m_clickPending = false;
    if (click) onClick();
}

void XpButtonModel::onCaptureLost() {
    if (!m_clickPending) return;
    m_clickPending = false;
    Redraw(0);
}

bool XpButtonModel::isOnCutCorner(int x, int y) const { return (x == 0 || x == W - 1) && (y == 0 || y == H - 1); }

bool XpButtonModel::isOnShape(int x, int y) const {
    return x >= 0 && y >= 0 && x < W && y < H && !isOnCutCorner(x, y);
}

void XpButtonModel::onClick() {
    if (m_lastButton != 1) return;
    Redraw(0);
    m_host.refresh();
    raiseClick();
}

void XpButtonModel::onDblClick() {
    // Stands in for the second press of a double click; its release brings no second Click.
    m_clickPending = false;
    if (m_lastButton != 1) return;
    press(1, 0, 0.0f, 0.0f);
    m_host.captureMouse();
}

void XpButtonModel::raiseClick() {
    // A key held now went down before this Click: its release must not click again. The Click's
    // handler may show a box that the next press closes, that press's release then coming here.
    m_lastKey = 0;
    m_host.raiseClick();
}

// --- Keyboard -----------------------------------------------------------------------------------

void XpButtonModel::onKeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    m_lastKey = KeyCode;
    switch (KeyCode) {
        case kKeySpace:
        case kKeyEnter:
            Redraw(1);
            break;
        case kKeyLeft:
        case kKeyRight:
            m_keys.sendKeys("{Tab}");
            break;
        case kKeyDown:
        case kKeyUp:
            m_keys.sendKeys("+{Tab}");
            break;
        default:
            break;
    }
    m_host.raiseKeyDown(KeyCode, Shift);
}

void XpButtonModel::onKeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    if ((KeyCode == kKeyEnter && m_lastKey == kKeyEnter) || (KeyCode == kKeySpace && m_lastKey == kKeySpace)) {
        Redraw(0);
        m_lastButton = 1;
        m_host.refresh();
        raiseClick();
    }
    m_host.raiseKeyUp(KeyCode, Shift);
}

void XpButtonModel::onKeyPress(std::int16_t KeyAscii) { m_host.raiseKeyPress(KeyAscii); }

// --- Focus and geometry -------------------------------------------------------------------------

void XpButtonModel::onGotFocus() {
    m_focused = true;
    Redraw(1);
}

void XpButtonModel::onLostFocus() {
    m_focused = false;
    m_lastKey = 0;  // keys pressed from now on go elsewhere, whoever sees their release
    Redraw(0);
}

void XpButtonModel::onWindowDeactivate() { m_lastKey = 0; }

void XpButtonModel::onResize(int width, int height) {
    W = width;
    H = height;
    m_canvas.resize(W, H);
    m_host.canvasResized(m_canvas);
    Redraw(0);
}

void XpButtonModel::onShow() { Redraw(0); }

}  // namespace quorvane
