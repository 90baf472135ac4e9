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

class QPainter;
class QWidget;

namespace quorvane {

class KeyInjector;

// A window's layout, read from a JSON resource compiled into the program, and the controls built
// from it. The window itself is the caller's; the layout applies its settings and owns nothing but
// the descriptions of the windowless items (the widgets belong to the window as their parent).
//
// Resource format (one object; lengths in twips, 1440 to the inch; colours either [r, g, b] or a
// system colour name: "window", "windowText", "buttonFace", "buttonText"; a font is
// {"name": face, "size": points, "weight": 400|700, "italic", "underline", "strikethrough": bool,
// "charset": number}, missing members taking MS Sans Serif 8.25 pt regular's values):
//
//   {
//     "form": {
//       "name": "frmMain",                  the window's name (also its object name)
//       "caption": "Velmoran v2.0",         window title
//       "border": "none" | "fixedDialog" | "sizable"        (default "sizable")
//       "backColor": colour,                background (default "buttonFace")
//       "foreColor": colour,                ambient text colour of the buttons (default "buttonText")
//       "font": font,                       ambient font of the buttons (default MS Sans Serif 8.25)
//       "width": twips, "height": twips,    designed inner area
//       "left": twips, "top": twips,        stored position, used with "position": "manual"
//       "position": "centerScreen" | "manual" | "default"    (default "default")
//       "icon": ":/art/quorvane-48.png",    window icon (resource path; optional)
//       "showInTaskbar": bool               (default true)
//     },
//     "controls": [                         any order; each:
//       {
//         "name": "cmd", "index": 1,        "index" only for elements of control arrays
//         "kind": "TulmXpButton" | "PictureBox" | "TextBox" | "ComboBox" | "ListBox"
//                 | "Label" | "Line" | "Shape" | "Image",
//         "order": 5,                       front-to-back, 1 is the frontmost
//         "tabIndex": 1,                    focus order; labels, lines, shapes and images hold
//                                           places in it but never take the focus
//         "tabStop": bool,                  (default true) false keeps a control out of Tab
//         "visible": bool,                  (default true)
//         "enabled": bool,                  (default true; buttons keep theirs in "properties")
//         "left", "top", "width", "height": twips        every kind but Line
//         "x1", "y1", "x2", "y2": twips                   Line
//         "text": string,                   TextBox, Label
//         "font": font,                     TextBox, ComboBox, ListBox, Label (default: the
//                                           form's font)
//         "foreColor", "backColor": colour  TextBox, ComboBox, ListBox, PictureBox, Label
//         "style": "dropDownList" | "dropDownCombo"       ComboBox (default "dropDownCombo")
//         "sorted": bool,                   ListBox (default false)
//         "backStyle": "transparent" | "opaque"           Label (default "opaque")
//         "autoSize": bool,                 Label: sizes itself to its text (keeping its width
//                                           when it wraps); PictureBox: sizes itself to its
//                                           picture
//         "wordWrap": bool,                 Label (default false)
//         "alignment": "left" | "center" | "right"        Label (default "left")
//         "borderColor": colour, "borderWidth": pixels    Line, Shape (default black, 1)
//         "edge": "none" | "sunken",        PictureBox (default "none"; sunken is 2 pixels)
//         "picture": resource path,         PictureBox (drawn at its top-left corner), Image
//         "stretch": bool,                  Image: scaled to its box (default false: the box
//                                           takes the picture's size)
//         "properties": { ... }             TulmXpButton: its property bag as stored, keys in
//                                           lower case ("enabled", "font", "caption",
//                                           "forecolor", "forehover", "_extentx", "_extenty");
//                                           booleans become -1/0, colours 0x00BBGGRR
//       }
//     ]
//   }
//
// Controls with a window of their own (buttons, picture boxes, text, combo and list boxes) are
// widgets, stacked by "order" and chained in "tabIndex" order; they keep mouse events to
// themselves. Labels, lines, shapes and images have no window: the window's paintEvent calls
// paintItems() after its background, and its mouse handlers ask mouseTarget() what lies under the
// pointer. A malformed or missing resource is a fault of the build: the constructor throws
// std::runtime_error naming it.
class FormLayout {
public:
    enum class Kind { TulmXpButton, PictureBox, TextBox, ComboBox, ListBox, Label, Line, Shape, Image };

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
    };

    // Reads `resource` and builds its controls on `form`; `keys` moves the buttons' focus for the
    // arrow keys. The designed inner area becomes the window's size.
    FormLayout(QWidget& form, const QString& resource, KeyInjector& keys);
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

private:
    Control* findMutable(QStringView name, int index);
    void sizeToText(Control& label) const;
    void repaint(const QRect& area) const;

    QWidget& m_form;
    Settings m_settings;
    std::vector<std::unique_ptr<Control>> m_controls;  // front to back
};

}  // namespace quorvane
