#include "xpbutton/TulmXpButton.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QShortcutEvent>
#include <algorithm>
#include <array>

#include "platform/KeyInjector.h"
#include "xpbutton/AccessKey.h"
#include "xpbutton/ButtonFace.h"
#include "xpbutton/CaptionLayout.h"
#include "xpbutton/PropertyBag.h"

namespace quorvane {

namespace {

// The hover check is asked for every millisecond. Where the control comes from, a timer never
// fires faster than the system clock tick (15.6 ms by default), so a 1 ms request runs about 64
// times a second. Qt here would honour 1 ms, a thousand wake-ups a second for a resting pointer
// (3 to 8 % of a core), so the request is coarsened to that tick: leaving is seen within a frame.
constexpr int kHoverIntervalMs = 1;
constexpr int kTimerGranularityMs = 16;

// Mouse buttons: 1 left, 2 right, 4 middle.
std::int16_t buttonCode(Qt::MouseButtons buttons) {
    std::int16_t code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

// 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftCode(Qt::KeyboardModifiers modifiers) {
    std::int16_t code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

// The virtual key code of a key, as the control's key events carry it.
std::int16_t keyCode(const QKeyEvent* event) {
    const int key = event->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::int16_t>(key);  // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    struct Pair {
        int key;
        std::int16_t code;
    };
    static constexpr std::array<Pair, 20> kCodes = {{
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},    {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_Escape, 27},   {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},      {Qt::Key_Home, 36},  {Qt::Key_Left, 37},    {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},    {Qt::Key_Down, 40},  {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
    }};
    for (const Pair& p : kCodes)
        if (p.key == key) return p.code;
    return 0;
}

constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kKeyLeft = 37;
constexpr std::int16_t kKeyUp = 38;
constexpr std::int16_t kKeyRight = 39;
constexpr std::int16_t kKeyDown = 40;

QFont qtFontOf(const StdFont& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 8.25);
    f.setWeight(static_cast<QFont::Weight>(font.weight >= 1 && font.weight <= 1000 ? font.weight : 400));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    // Captions are drawn crisp, in exactly their colour, as small button text always was.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

}  // namespace

TulmXpButton::TulmXpButton(KeyInjector& keys, QWidget* parent) : QWidget(parent), m_keys(keys) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);  // moves without a button held are the hover's start
    setFocusPolicy(Qt::StrongFocus);
    applyFont(m_font);
    m_hoverTimer.setTimerType(Qt::CoarseTimer);
    m_hoverTimer.setInterval(std::max(kHoverIntervalMs, kTimerGranularityMs));
    connect(&m_hoverTimer, &QTimer::timeout, this, &TulmXpButton::onHoverTimer);
}

TulmXpButton::~TulmXpButton() = default;

// --- Properties ---------------------------------------------------------------------------------

void TulmXpButton::setEnabled(bool value) {
    m_enabled = value;
    emit PropertyChanged(QStringLiteral("Enabled"));
    QWidget::setEnabled(value);
    Redraw(0);
}

void TulmXpButton::setFont(const StdFont& value) {
    applyFont(value);
    Redraw(0);
    emit PropertyChanged(QStringLiteral("Font"));
}

void TulmXpButton::setCaption(const QString& value) {
    m_caption = value;
    Redraw(0);
    UpdateAccessKey();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void TulmXpButton::setForeColor(std::uint32_t value) {
    m_foreColor = value;
    Redraw(0);
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

void TulmXpButton::setForeHover(std::uint32_t value) {
    m_foreHover = value;  // shows at the next repaint
    emit PropertyChanged(QStringLiteral("ForeHover"));
}

void TulmXpButton::applyFont(const StdFont& font) {
    m_font = font;
    m_qfont = qtFontOf(font);
    QWidget::setFont(m_qfont);
}

QColor TulmXpButton::backColour() const { return palette().color(QPalette::Base); }

QColor TulmXpButton::colourOf(std::uint32_t value) const {
    if (!(value & 0x80000000u)) {
        const Rgb c = rgbOf(value);
        return QColor(c.r, c.g, c.b);
    }
    // System colour references, by their index, through the roles of the palette.
    switch (value & 0xFF) {
        case 5:
            return palette().color(QPalette::Base);
        case 8:
            return palette().color(QPalette::Text);
        case 13:
            return palette().color(QPalette::Highlight);
        case 14:
            return palette().color(QPalette::HighlightedText);
        case 15:
            return palette().color(QPalette::Button);
        case 17:
            return palette().color(QPalette::Disabled, QPalette::ButtonText);
        case 18:
            return palette().color(QPalette::ButtonText);
        default:
            return palette().color(QPalette::WindowText);
    }
}

// --- Persistence --------------------------------------------------------------------------------

void TulmXpButton::InitProperties(const Ambient& ambient) {
    applyFont(ambient.Font);
    m_caption = QString::fromStdString(ambient.DisplayName);
    m_enabled = true;
    UpdateAccessKey();
}

void TulmXpButton::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
    m_enabled = bag.readBoolean("Enabled", true);
    applyFont(bag.readFont("Font", ambient.Font));
    m_caption = QString::fromStdString(bag.readString("Caption", ambient.DisplayName));
    m_foreColor = bag.readColour("ForeColor", ambient.ForeColor);
    m_foreHover = bag.readColour("ForeHover", m_foreColor);
    QWidget::setEnabled(m_enabled);
    UpdateAccessKey();
}

void TulmXpButton::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
    // The defaults are those reading uses, so what is left out reads back the same.
    bag.write("Enabled", PropertyBag::boolean(m_enabled), PropertyBag::boolean(true));
    bag.write("Font", m_font, ambient.Font);
    bag.write("Caption", m_caption.toStdString(), ambient.DisplayName);
    bag.write("ForeColor", m_foreColor);
    // Left out only when reading it back gives it again: a missing ForeHover reads as ForeColor.
    // (Leaving it out when it equals the ambient colour would lose it on the next read.)
    bag.write("ForeHover", m_foreHover, m_foreColor);
}

// --- Drawing ------------------------------------------------------------------------------------

void TulmXpButton::Redraw(int Down) {
    const QColor back = backColour();
    const Rgb background{back.red(), back.green(), back.blue()};
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
    ApplyRegion();
    update();
}

void TulmXpButton::DrawCaption() {
    if (m_image.isNull() || m_caption.isEmpty()) return;
    QPainter painter(&m_image);
    painter.setFont(m_qfont);
    painter.setPen(colourOf(captionColour(m_enabled, m_hovering, m_foreColor, m_foreHover)));
    // Broken at word boundaries to the width, each line centred, "&" marking the access key.
    constexpr int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    const int h = painter.boundingRect(QRect(0, 0, W, H), flags, m_caption).height();
    const TextRect r = captionRect(static_cast<float>(W), static_cast<float>(H), h);
    const QRect target(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (target.isEmpty()) return;
    painter.setClipRect(target);
    painter.drawText(target, flags | Qt::AlignTop, m_caption);
}

void TulmXpButton::ApplyRegion() {
    QRegion region(0, 0, W, H);
    for (const QRect& corner :
         {QRect(0, 0, 1, 1), QRect(0, H - 1, 1, 1), QRect(W - 1, 0, 1, 1), QRect(W - 1, H - 1, 1, 1)})
        region -= QRegion(corner);
    setMask(region);
}

void TulmXpButton::Refresh() { repaint(); }

void TulmXpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), backColour());
        return;
    }
    painter.drawImage(0, 0, m_image);
}

// --- Access key ---------------------------------------------------------------------------------

void TulmXpButton::UpdateAccessKey() {
    m_accessKeys = QString::fromStdString(accessKeyOf(m_caption.toStdString()));
    if (m_accessShortcut != 0) releaseShortcut(m_accessShortcut);
    m_accessShortcut = 0;
    if (!m_accessKeys.isEmpty())
        m_accessShortcut = grabShortcut(QKeySequence::mnemonic(QLatin1Char('&') + m_accessKeys));
}

bool TulmXpButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_accessShortcut && m_accessShortcut != 0) {
            if (m_enabled) onAccessKeyPress();
            return true;
        }
    }
    return QWidget::event(event);
}

void TulmXpButton::onAccessKeyPress() {
    m_lastButton = 1;
    onClick();
}

// --- Pointer ------------------------------------------------------------------------------------

bool TulmXpButton::IsMouseOver() const {
    // The widget under the pointer honours the mask, so a cut corner is outside; like a window
    // lookup by point, a disabled control is never found there.
    return QApplication::widgetAt(QCursor::pos()) == this && isEnabled();
}

void TulmXpButton::mousePressEvent(QMouseEvent* event) {
    m_clickPending = true;
    onMouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), static_cast<float>(event->position().x()),
                static_cast<float>(event->position().y()));
}

void TulmXpButton::mouseDoubleClickEvent(QMouseEvent*) {
    // Stands in for the second press of a double click; its release brings no second Click.
    m_clickPending = false;
    onDblClick();
}

void TulmXpButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    onMouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), static_cast<float>(event->position().x()),
              static_cast<float>(event->position().y()));
    if (m_captured && event->buttons() == Qt::NoButton) {
        m_captured = false;
        releaseMouse();
    }
    const bool click = m_clickPending && mask().contains(at);
    if (event->buttons() == Qt::NoButton) m_clickPending = false;
    if (click) onClick();
}

void TulmXpButton::mouseMoveEvent(QMouseEvent* event) {
    onMouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), static_cast<float>(event->position().x()),
                static_cast<float>(event->position().y()));
}

void TulmXpButton::onMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (!m_enabled) return;
    m_lastButton = Button;
    Refresh();
    if (Button != 2) Redraw(1);
    emit MouseDown(Button, Shift, X, Y);
}

void TulmXpButton::onMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (Button < 2) {
        if (!IsMouseOver()) {
            if (m_moveLatch == 0) return;
            Redraw(0);  // a captured move outside: the latch stays
        } else {
            if (m_moveLatch == 1) return;
            m_moveLatch = 1;
            if (Button == 0 && !m_hovering) {
                m_hoverTimer.start();
                m_hovering = true;
                m_moveLatch = 0;
                Redraw(0);
                emit MouseOver();
            } else if (Button == 1) {
                m_hovering = true;
                Redraw(1);
                m_hovering = false;
            }
        }
    }
    emit MouseMove(Button, Shift, X, Y);
}

void TulmXpButton::onHoverTimer() {
    if (IsMouseOver()) return;
    m_hoverTimer.stop();
    m_hovering = false;
    m_moveLatch = 0;
    Redraw(0);
    emit MouseOut();
}

void TulmXpButton::onMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    Redraw(0);
    Refresh();
    emit MouseUp(Button, Shift, X, Y);
}

void TulmXpButton::onClick() {
    if (m_lastButton != 1) return;
    Redraw(0);
    Refresh();
    emit Click();
}

void TulmXpButton::onDblClick() {
    if (m_lastButton != 1) return;
    onMouseDown(1, 0, 0.0f, 0.0f);
    grabMouse();
    m_captured = true;
}

// --- Keyboard -----------------------------------------------------------------------------------

void TulmXpButton::keyPressEvent(QKeyEvent* event) {
    onKeyDown(keyCode(event), shiftCode(event->modifiers()));
    // Keys that type a character (Enter, Escape and Backspace included) come on as KeyPress.
    const QString text = event->text();
    if (!text.isEmpty()) {
        auto KeyAscii = static_cast<std::int16_t>(text.at(0).unicode());
        emit KeyPress(KeyAscii);
    }
    event->accept();
}

void TulmXpButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;  // a held key repeats its press only
    onKeyUp(keyCode(event), shiftCode(event->modifiers()));
    event->accept();
}

void TulmXpButton::onKeyDown(std::int16_t KeyCode, std::int16_t Shift) {
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
    emit KeyDown(KeyCode, Shift);
}

void TulmXpButton::onKeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    if ((KeyCode == kKeyEnter && m_lastKey == kKeyEnter) || (KeyCode == kKeySpace && m_lastKey == kKeySpace)) {
        Redraw(0);
        m_lastButton = 1;
        Refresh();
        emit Click();
    }
    emit KeyUp(KeyCode, Shift);
}

// --- Focus and geometry -------------------------------------------------------------------------

void TulmXpButton::focusInEvent(QFocusEvent* event) {
    m_focused = true;
    Redraw(1);
    QWidget::focusInEvent(event);
}

void TulmXpButton::focusOutEvent(QFocusEvent* event) {
    m_focused = false;
    Redraw(0);
    QWidget::focusOutEvent(event);
}

void TulmXpButton::resizeEvent(QResizeEvent* event) {
    W = width();
    H = height();
    m_canvas.resize(W, H);
    // The image shows the canvas's own pixels: nothing is copied between drawing and showing.
    m_image = W > 0 && H > 0 ? QImage(reinterpret_cast<uchar*>(m_canvas.data()), W, H, W * 4, QImage::Format_RGB32)
                             : QImage();
    Redraw(0);
    QWidget::resizeEvent(event);
}

void TulmXpButton::showEvent(QShowEvent* event) {
    Redraw(0);
    QWidget::showEvent(event);
}

}  // namespace quorvane
