#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

#include "layouts/FormDescription.h"
#include "layouts/SurfaceHit.h"

class QPainter;
class QWidget;

namespace quorvane {

class KeyInjector;

// A window built from its layout's description (layouts/FormDescription.h, read in the core): the
// window's settings applied, its controls made. The window itself is the caller's; the layout owns
// nothing but the windowless items (the widgets belong to the window as their parent). Lengths
// become pixels at the window's screen's DPI; stored colours resolve through the application's
// palette, the system colours by their roles; pictures are read by their paths.
//
// Controls with a window of their own (buttons, picture boxes, text, combo and list boxes) are
// widgets, stacked by "order" and chained in "tabIndex" order; they keep mouse events to
// themselves. Labels, lines, shapes and images have no window: the window's paintEvent calls
// paintItems() after its background, and its mouse handlers ask mouseTarget() what lies under the
// pointer. A picture that cannot be read is a fault of the build: the constructor throws
// LayoutError naming it.
class FormLayout {
public:
    using Kind = ControlKind;

    // One control or windowless item, as built. Geometry is in pixels of the window's inner area.
    struct Control {
        QString name;
        int index = -1;  // element of a control array, -1 for a single control
        Kind kind = Kind::Label;
        int order = 0;
        int tabIndex = -1;
        QRect rect;                 // lines: the box from one end to the other
        QWidget* widget = nullptr;  // controls with a window of their own, else null
        bool visible = true;

        // Windowless items.
        QString text;
        QFont font;
        QColor foreColor;
        QColor backColor;
        bool opaque = true;
        bool autoSize = false;
        bool wordWrap = false;
        Qt::Alignment alignment = Qt::AlignLeft;
        QLine line;
        QColor borderColor = Qt::black;
        int borderWidth = 1;
        QImage picture;
        bool stretch = false;
        QSize designedSize;  // a label's box before it sized itself to its text
    };

    struct Settings {
        QString name;
        QString caption;
        QSize designedSize;                   // pixels
        std::optional<QRect> storedPosition;  // pixels, with "position": "manual"
        bool centred = false;
        std::optional<FormGradient> gradient;  // the banded background, as the layout states it
        std::vector<std::string> dragItems;    // the items a drag of the window may start from
        QString frameShape;                    // the shape whose box the window takes at load
    };

    // Builds `layout`'s controls on `form`; `keys` moves the buttons' focus for the arrow keys. The
    // designed inner area becomes the window's size.
    FormLayout(QWidget& form, const FormDescription& layout, KeyInjector& keys);
    ~FormLayout();
    FormLayout(const FormLayout&) = delete;
    FormLayout& operator=(const FormLayout&) = delete;

    const Settings& settings() const { return m_settings; }

    // The control named so, or null.
    const Control* find(QStringView name, int index = -1) const;
    // Its widget, or null for unknown names and windowless items.
    QWidget* widget(QStringView name, int index = -1) const;
    template <class T>
    T* control(QStringView name, int index = -1) const {
        return qobject_cast<T*>(widget(name, index));
    }
    // Every control, front to back.
    const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }
    // The widgets that take the focus, in tab order.
    std::vector<QWidget*> tabOrder() const;

    // Changes of a windowless item that code may make; each repaints what it changed.
    void setText(QStringView name, int index, const QString& text);
    void setVisible(QStringView name, int index, bool visible);

    // Moves the window to its first position (centred, stored, or left to the system); call it
    // once the load handler has given the window its size.
    void placeWindow() const;
    // Gives the focus to the first control in tab order that can take it.
    void focusFirst() const;

    // Paints the visible windowless items back to front; call it after the window's background.
    void paintItems(QPainter& painter) const;
    // The frontmost visible label or image under `pos` (it takes the mouse), or null where the
    // window's surface is, lines and shapes included.
    const Control* mouseTarget(QPoint pos) const;
    // Whether a press at `pos` may drag the window: on its surface or on one of its drag items.
    bool pressDragsWindow(QPoint pos) const;
    // Gives the window its frame shape's size, the height first, then the width; nothing without one.
    void sizeToFrameShape() const;

private:
    Control* findMutable(QStringView name, int index);
    // The windowless items front to back, as the core's hit test takes them.
    std::vector<SurfaceItem> surfaceItems() const;
    void sizeToText(Control& label) const;
    void repaint(const QRect& area) const;

    QWidget& m_form;
    Settings m_settings;
    std::vector<std::unique_ptr<Control>> m_controls;  // front to back
    std::vector<QWidget*> m_tabOrder;
};

}  // namespace quorvane
