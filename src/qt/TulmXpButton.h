#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "xpbutton/Canvas.h"
#include "xpbutton/StdFont.h"
#include "xpbutton/XpButtonModel.h"

namespace quorvane {

class KeyInjector;
class PropertyBag;

// The owner-drawn XP-style push button used for every command, as a Qt widget: it hands Qt's
// events to the button's model and shows the model's canvas, which the model redraws completely
// at every change of state; its window has no corner pixels. Containers listen to Click; the other
// events are there for any container.
//
// Under a scale factor the canvas has the widget's device size (width x height times the device
// pixel ratio, rounded) and the caption's font that scale: the face is drawn in the screen's own
// pixels and shown 1:1, and only the four corner device pixels are cut away.
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
    bool Enabled() const { return m_model.Enabled(); }
    void setEnabled(bool value) { m_model.setEnabled(value); }
    StdFont Font() const { return m_model.Font(); }
    void setFont(const StdFont& value) { m_model.setFont(value); }
    QString Caption() const { return QString::fromStdString(m_model.Caption()); }
    void setCaption(const QString& value) { m_model.setCaption(value.toStdString()); }
    // Colours are 0x00BBGGRR values, or system colour references (top bit set).
    std::uint32_t ForeColor() const { return m_model.ForeColor(); }
    void setForeColor(std::uint32_t value) { m_model.setForeColor(value); }
    std::uint32_t ForeHover() const { return m_model.ForeHover(); }
    void setForeHover(std::uint32_t value) { m_model.setForeHover(value); }

    // Persistence in the container's stored layout.
    void InitProperties(const Ambient& ambient) { m_model.InitProperties(ambient); }
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) { m_model.ReadProperties(bag, ambient); }
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const { m_model.WriteProperties(bag, ambient); }

    // State, as the control holds it.
    bool Hovering() const { return m_model.Hovering(); }
    std::int16_t MoveLatch() const { return m_model.MoveLatch(); }
    bool Focused() const { return m_model.Focused(); }
    std::int16_t LastButton() const { return m_model.LastButton(); }
    std::int16_t LastKey() const { return m_model.LastKey(); }
    // The access-key character shown underlined in the caption, or "".
    QString AccessKeys() const { return QString::fromStdString(m_model.AccessKeys()); }
    const QTimer& HoverTimer() const { return m_hoverTimer; }

    // The persistent image (a copy of it, in device pixels, with its device pixel ratio) and its pixels.
    QImage image() const;
    const Canvas& canvas() const { return m_model.canvas(); }
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
    // What the model asks of its host, done with this widget.
    class Surface;
    friend class Surface;

    // Sizes the canvas to the device pixels of the widget's present size and scale.
    void followScale();
    // The device pixel of the canvas that a point of the widget falls on.
    QPoint devicePoint(QPointF local) const;
    // The model's answer for the device pixel under a point of the widget.
    bool onCutCorner(QPointF local) const;

    QFont m_qfont;      // the Font property at 1x, the widget's own font
    QFont m_drawFont;   // the same at the drawing scale, for the caption in device pixels
    qreal m_scale = 1;  // device pixel ratio the canvas is drawn at
    QImage m_image;     // wraps the model's canvas pixels, one per device pixel
    QTimer m_hoverTimer;
    int m_accessShortcut = 0;     // the shortcut grabbed for Alt + the access key, 0 for none
    bool m_captured = false;      // the mouse was grabbed for the release after a double click
    bool m_cornerPress = false;   // the buttons held went down on a cut corner: the container's

    std::unique_ptr<Surface> m_surface;
    XpButtonModel m_model;
};

}  // namespace quorvane
