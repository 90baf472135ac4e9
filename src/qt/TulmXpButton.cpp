#include "qt/TulmXpButton.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <QShortcutEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "xpbutton/XpButtonHost.h"

namespace quorvane {

namespace {

// The model asks for a hover check every millisecond. Where the control comes from, a timer never
// fires faster than the system clock tick (15.6 ms by default), so a 1 ms request runs about 64
// times a second. Qt here would honour 1 ms, a thousand wake-ups a second for a resting pointer
// (3 to 8 % of a core), so the request is coarsened to that tick: leaving is seen within a frame.
constexpr int kTimerGranularityMs = 16;

// Broken at word boundaries to the width, each line centred, "&" marking the access key.
constexpr int kCaptionFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;

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

// The font as it is drawn into a canvas of device pixels: its size times the device pixel ratio.
QFont scaledFont(const QFont& font, qreal scale) {
    if (scale == 1) return font;
    QFont f(font);
    f.setPointSizeF(font.pointSizeF() * scale);
    return f;
}

float coordinate(qreal value) { return static_cast<float>(value); }

}  // namespace

class TulmXpButton::Surface final : public XpButtonHost {
public:
    explicit Surface(TulmXpButton& button) : m_button(button) {}

    bool isMouseOver() const override {
        // The widget under the pointer honours the mask, and under a scale factor (no mask) the
        // corner test stands in for it, so a cut corner is outside; like a window lookup by point,
        // a disabled control is never found there.
        const QPoint at = QCursor::pos();
        return QApplication::widgetAt(at) == &m_button && m_button.isEnabled() &&
               !m_button.onCutCorner(m_button.mapFromGlobal(QPointF(at)));
    }
    void startHoverTimer() override { m_button.m_hoverTimer.start(); }
    void stopHoverTimer() override { m_button.m_hoverTimer.stop(); }
    void captureMouse() override {
        m_button.grabMouse();
        m_button.m_captured = true;
    }
    void canvasResized(Canvas& canvas) override {
        // The image shows the canvas's own pixels: nothing is copied between drawing and showing.
        const int w = canvas.width();
        const int h = canvas.height();
        m_button.m_image = w > 0 && h > 0
                               ? QImage(reinterpret_cast<uchar*>(canvas.data()), w, h, w * 4, QImage::Format_RGB32)
                               : QImage();
    }
    void invalidate() override { m_button.update(); }
    void refresh() override { m_button.repaint(); }
    void applyRegion(int width, int height) override {
        if (m_button.m_scale != 1) {
            // A mask is in whole widget pixels, more than one device pixel each: the corners are
            // left out when painting instead, and the pointer test leaves them out too.
            m_button.clearMask();
            return;
        }
        QRegion region(0, 0, width, height);
        for (const QRect& corner : {QRect(0, 0, 1, 1), QRect(0, height - 1, 1, 1), QRect(width - 1, 0, 1, 1),
                                    QRect(width - 1, height - 1, 1, 1)})
            region -= QRegion(corner);
        m_button.setMask(region);
    }
    Rgb backColour() const override {
        const QColor back = m_button.backColour();
        return Rgb{back.red(), back.green(), back.blue()};
    }
    void setSurfaceEnabled(bool enabled) override { m_button.QWidget::setEnabled(enabled); }
    void setSurfaceFont(const StdFont& font) override {
        m_button.m_qfont = qtFontOf(font);
        m_button.m_drawFont = scaledFont(m_button.m_qfont, m_button.m_scale);
        m_button.QWidget::setFont(m_button.m_qfont);
        m_measured = false;
    }
    void setAccessKeys(const std::string& keys) override {
        if (m_button.m_accessShortcut != 0) m_button.releaseShortcut(m_button.m_accessShortcut);
        m_button.m_accessShortcut = 0;
        if (!keys.empty())
            m_button.m_accessShortcut =
                m_button.grabShortcut(QKeySequence::mnemonic(QLatin1Char('&') + QString::fromStdString(keys)));
    }

    int captionHeight(const std::string& caption, int width) override {
        // Measuring takes a painter of its own; the answer changes only with the caption, the font
        // and the size, so the last one is kept.
        const QSize size(width, m_button.m_image.height());
        if (!m_measured || caption != m_measuredCaption || size != m_measuredSize) {
            QPainter painter(&m_button.m_image);
            painter.setFont(m_button.m_drawFont);
            m_measuredHeight =
                painter.boundingRect(QRect(QPoint(0, 0), size), kCaptionFlags, QString::fromStdString(caption))
                    .height();
            m_measuredCaption = caption;
            m_measuredSize = size;
            m_measured = true;
        }
        return m_measuredHeight;
    }
    void drawCaption(Canvas&, const std::string& caption, const TextRect& r, std::uint32_t colour) override {
        QPainter painter(&m_button.m_image);
        painter.setFont(m_button.m_drawFont);
        painter.setPen(m_button.colourOf(colour));
        const QRect target(r.left, r.top, r.right - r.left, r.bottom - r.top);
        painter.setClipRect(target);
        painter.drawText(target, kCaptionFlags | Qt::AlignTop, QString::fromStdString(caption));
    }

    void raiseClick() override { emit m_button.Click(); }
    void raiseMouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override {
        emit m_button.MouseDown(Button, Shift, X, Y);
    }
    void raiseMouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override {
        emit m_button.MouseMove(Button, Shift, X, Y);
    }
    void raiseMouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override {
        emit m_button.MouseUp(Button, Shift, X, Y);
    }
    void raiseKeyPress(std::int16_t& KeyAscii) override { emit m_button.KeyPress(KeyAscii); }
    void raiseKeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override { emit m_button.KeyDown(KeyCode, Shift); }
    void raiseKeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override { emit m_button.KeyUp(KeyCode, Shift); }
    void raiseMouseOver() override { emit m_button.MouseOver(); }
    void raiseMouseOut() override { emit m_button.MouseOut(); }
    void raisePropertyChanged(const std::string& name) override {
        emit m_button.PropertyChanged(QString::fromStdString(name));
    }

private:
    TulmXpButton& m_button;
    bool m_measured = false;
    std::string m_measuredCaption;
    QSize m_measuredSize;
    int m_measuredHeight = 0;
};

TulmXpButton::TulmXpButton(KeyInjector& keys, QWidget* parent)
    : QWidget(parent), m_surface(std::make_unique<Surface>(*this)), m_model(*m_surface, keys) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);  // moves without a button held are the hover's start
    setFocusPolicy(Qt::StrongFocus);
    m_surface->setSurfaceFont(m_model.Font());
    m_hoverTimer.setTimerType(Qt::CoarseTimer);
    m_hoverTimer.setInterval(std::max(XpButtonModel::kHoverIntervalMs, kTimerGranularityMs));
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { m_model.onHoverTimer(); });
}

TulmXpButton::~TulmXpButton() = default;

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

QImage TulmXpButton::image() const {
    QImage copy = m_image.copy();
    copy.setDevicePixelRatio(m_scale);
    return copy;
}

void TulmXpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), backColour());
        return;
    }
    if (m_scale == 1) {
        painter.drawImage(0, 0, m_image);  // the mask cuts the corners
        return;
    }
    // One canvas pixel to one device pixel, never resampled; the four corner pixels left out, so
    // the container shows there.
    painter.scale(1 / m_scale, 1 / m_scale);
    const int w = m_image.width();
    const int h = m_image.height();
    if (w > 2) {
        painter.drawImage(QPoint(1, 0), m_image, QRect(1, 0, w - 2, 1));
        if (h > 1) painter.drawImage(QPoint(1, h - 1), m_image, QRect(1, h - 1, w - 2, 1));
    }
    if (h > 2) painter.drawImage(QPoint(0, 1), m_image, QRect(0, 1, w, h - 2));
}

void TulmXpButton::followScale() {
    const qreal scale = devicePixelRatio();
    if (scale != m_scale) {
        m_scale = scale;
        // Where the corners are cut by a mask the parent paints them; elsewhere it must paint
        // under the whole control.
        setAttribute(Qt::WA_OpaquePaintEvent, m_scale == 1);
        m_surface->setSurfaceFont(m_model.Font());
    }
    const QSize device = size() * m_scale;
    m_model.onResize(device.width(), device.height());
}

QPoint TulmXpButton::devicePoint(QPointF local) const {
    return QPoint(static_cast<int>(std::floor(local.x() * m_scale)), static_cast<int>(std::floor(local.y() * m_scale)));
}

bool TulmXpButton::onCutCorner(QPointF local) const {
    const QPoint at = devicePoint(local);
    return m_model.isOnCutCorner(at.x(), at.y());
}

bool TulmXpButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_accessShortcut && m_accessShortcut != 0) {
            if (m_model.Enabled()) m_model.onAccessKeyPress();
            return true;
        }
    }
    if (event->type() == QEvent::WindowDeactivate) m_model.onWindowDeactivate();
    // The window went to a screen of another scale: the canvas follows.
    if (event->type() == QEvent::ScreenChangeInternal && devicePixelRatio() != m_scale) followScale();
    return QWidget::event(event);
}

// --- Pointer ------------------------------------------------------------------------------------

void TulmXpButton::mousePressEvent(QMouseEvent* event) {
    // A cut corner belongs to the container: the press goes on to it, and so does the rest of
    // the gesture until every button is up.
    if (m_cornerPress || (event->buttons() == event->button() && onCutCorner(event->position()))) {
        m_cornerPress = true;
        return QWidget::mousePressEvent(event);
    }
    m_model.onMouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), coordinate(event->position().x()),
                        coordinate(event->position().y()));
}

void TulmXpButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_cornerPress || onCutCorner(event->position())) {
        m_cornerPress = true;
        return QWidget::mouseDoubleClickEvent(event);
    }
    m_model.onDblClick();
}

void TulmXpButton::mouseReleaseEvent(QMouseEvent* event) {
    if (m_cornerPress) {
        if (event->buttons() == Qt::NoButton) m_cornerPress = false;
        return QWidget::mouseReleaseEvent(event);
    }
    m_model.onMouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), coordinate(event->position().x()),
                      coordinate(event->position().y()));
    if (m_captured && event->buttons() == Qt::NoButton) {
        m_captured = false;
        releaseMouse();
    }
    const QPoint at = devicePoint(event->position());
    m_model.onRelease(at.x(), at.y(), event->buttons() != Qt::NoButton);
}

void TulmXpButton::mouseMoveEvent(QMouseEvent* event) {
    // Over a cut corner with no button held the pointer is the container's; a held button keeps
    // the moves here, as a capture would.
    if (m_cornerPress || (event->buttons() == Qt::NoButton && onCutCorner(event->position())))
        return QWidget::mouseMoveEvent(event);
    m_model.onMouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), coordinate(event->position().x()),
                        coordinate(event->position().y()));
}

// --- Keyboard -----------------------------------------------------------------------------------

void TulmXpButton::keyPressEvent(QKeyEvent* event) {
    m_model.onKeyDown(keyCode(event), shiftCode(event->modifiers()));
    // Keys that type a character (Enter, Escape and Backspace included) come on as KeyPress.
    const QString text = event->text();
    if (!text.isEmpty()) m_model.onKeyPress(static_cast<std::int16_t>(text.at(0).unicode()));
    event->accept();
}

void TulmXpButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;  // a held key repeats its press only
    m_model.onKeyUp(keyCode(event), shiftCode(event->modifiers()));
    event->accept();
}

// --- Focus and geometry -------------------------------------------------------------------------

void TulmXpButton::focusInEvent(QFocusEvent* event) {
    m_model.onGotFocus();
    QWidget::focusInEvent(event);
}

void TulmXpButton::focusOutEvent(QFocusEvent* event) {
    m_model.onLostFocus();
    QWidget::focusOutEvent(event);
}

void TulmXpButton::resizeEvent(QResizeEvent* event) {
    followScale();
    QWidget::resizeEvent(event);
}

void TulmXpButton::showEvent(QShowEvent* event) {
    // The window it is shown in decides the scale, which can differ from the primary screen's.
    if (devicePixelRatio() != m_scale) followScale();
    m_model.onShow();
    QWidget::showEvent(event);
}

}  // namespace quorvane
