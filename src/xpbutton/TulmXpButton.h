#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "xpbutton/Canvas.h"
#include "xpbutton/StdFont.h"

namespace quorvane {

class KeyInjector;
class PropertyBag;

// The owner-drawn XP-style push button used for every command. It draws itself completely into
// its persistent image at every change of state and paints only from that image; its window has
// no corner pixels. Containers listen to Click; the other events are there for any container.
//
// Event arguments are references to the variables of the notification that caused the event, so a
// handler may change them; the control reads none of them after raising the event. Connect
// directly (the default for objects on one thread): references cannot be queued.
class TulmXpButton : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ClassName", "Quorvane.TulmXpButton")
public:
    // The name stored layouts give the control's class.
    static constexpr const char* kClassName = "Quorvane.TulmXpButton";

    // `keys` moves the focus for the arrow keys.
    explicit TulmXpButton(KeyInjector& keys, QWidget* parent = nullptr);
    ~TulmXpButton() override;

    // Properties. Each setter repaints as the control's look needs and announces PropertyChanged.
    // setEnabled and setFont stand in for QWidget's: the control keeps its own flag and font.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    StdFont Font() const { return m_font; }
    void setFont(const StdFont& value);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& value);
    // Colours are 0x00BBGGRR values, or system colour references (top bit set).
    std::uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::uint32_t value);
    std::uint32_t ForeHover() const { return m_foreHover; }
    void setForeHover(std::uint32_t value);

    // Persistence in the container's stored layout.
    void InitProperties(const Ambient& ambient);
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient);
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const;

    // State, as the control holds it.
    bool Hovering() const { return m_hovering; }
    std::int16_t MoveLatch() const { return m_moveLatch; }
    bool Focused() const { return m_focused; }
    std::int16_t LastButton() const { return m_lastButton; }
    std::int16_t LastKey() const { return m_lastKey; }
    // The access-key character shown underlined in the caption, or "".
    QString AccessKeys() const { return m_accessKeys; }
    const QTimer& HoverTimer() const { return m_hoverTimer; }

    // The persistent image (a copy of it) and its pixels.
    QImage image() const { return m_image.copy(); }
    const Canvas& canvas() const { return m_canvas; }
    // The surface's background colour, which every look starts from.
    QColor backColour() const;
    // The colour a colour property stands for here (system colour references through the palette).
    QColor colourOf(std::uint32_t value) const;

signals:
    // The control's events, in their declared order.
    void Click();
    void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
    void KeyPress(std::int16_t& KeyAscii);
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
    void MouseOver();
    void MouseOut();

    // The stored layout must be written again: the named property changed.
    void PropertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // The notifications of the control's host, as the control handles them.
    void onMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void onMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void onMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void onClick();
    void onDblClick();
    void onKeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void onKeyUp(std::int16_t KeyCode, std::int16_t Shift);
    void onAccessKeyPress();
    void onHoverTimer();

    // Draws the whole look of the current state into the image; Down = 1 shows the pressed look
    // when the last button was the left one.
    void Redraw(int Down);
    void DrawCaption();
    void ApplyRegion();
    void UpdateAccessKey();
    bool IsMouseOver() const;
    // Shows the image on screen now.
    void Refresh();
    void applyFont(const StdFont& font);

    KeyInjector& m_keys;

    bool m_enabled = true;
    StdFont m_font;
    QFont m_qfont;
    QString m_caption;
    std::uint32_t m_foreColor = 0x80000012;  // the system's button text colour until set
    std::uint32_t m_foreHover = 0;

    bool m_hovering = false;
    std::int16_t m_moveLatch = 0;
    bool m_focused = false;
    std::int16_t m_lastButton = 0;
    std::int16_t m_lastKey = 0;
    QString m_accessKeys;
    int m_accessShortcut = 0;  // the shortcut grabbed for Alt + the access key, 0 for none

    int W = 0;
    int H = 0;
    Canvas m_canvas;
    QImage m_image;  // wraps m_canvas's pixels
    QTimer m_hoverTimer;

    bool m_clickPending = false;  // a press on the control waits for its release
    bool m_captured = false;      // the mouse was grabbed for the release after a double click
};

}  // namespace quorvane
