#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "xpbutton/PropertyBag.h"
#include "xpbutton/StdFont.h"

namespace quorvane {

// Colours as the layouts store them: 0x00BBGGRR, or a system colour's reference (the flag and the
// colour's index), which each front end resolves to its own colour for that role.
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr std::uint32_t kSystemWindow = kSystemColourFlag | 5;       // background of text fields
inline constexpr std::uint32_t kSystemWindowText = kSystemColourFlag | 8;   // text of text fields
inline constexpr std::uint32_t kSystemButtonFace = kSystemColourFlag | 15;  // background of buttons, windows
inline constexpr std::uint32_t kSystemButtonText = kSystemColourFlag | 18;  // text of buttons and labels

// A layout that cannot be read: a fault of the build, named with the layout and the item.
class LayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ControlKind { TulmXpButton, PictureBox, TextBox, ComboBox, ListBox, Label, Line, Shape, Image };
enum class FormBorder { None, FixedDialog, Sizable };
enum class FormPosition { Default, CenterScreen, Manual };
enum class TextAlignment { Left, Center, Right };

// The banded background of a frameless working window (see gradientBands): from the form's back
// colour downwards, darker by `stepSize` per component and band.
struct FormGradient {
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::int32_t steps = 0;
    std::int16_t stepSize = 0;
    friend bool operator==(const FormGradient&, const FormGradient&) = default;
};

// A window's own settings. Lengths in twips.
struct FormSettings {
    std::string name;     // also the window's object name
    std::string caption;  // title text
    FormBorder border = FormBorder::Sizable;
    std::uint32_t backColor = kSystemButtonFace;
    std::uint32_t foreColor = kSystemButtonText;  // ambient text colour of the buttons
    StdFont font;                                 // ambient font of the buttons, default of the controls
    int width = 0;                                // the designed inner area
    int height = 0;
    FormPosition position = FormPosition::Default;
    int left = 0;  // the stored position of the inner area, with FormPosition::Manual
    int top = 0;
    std::string icon;  // picture path, empty for none
    bool showInTaskbar = true;
    std::optional<FormGradient> gradient;  // none: the back colour alone
    // The windowless items a drag may start from besides the window's surface ("Image1"); the
    // other labels and images keep the pointer.
    std::vector<std::string> dragItems;
    // The shape whose box the window takes at load ("Shape1"), empty for none.
    std::string frameShape;
};

// One control or windowless item as stored, defaults filled in. Lengths in twips, line and border
// widths in pixels. Members a kind does not use keep their defaults.
struct ControlDescription {
    std::string name;
    int index = -1;  // element of a control array, -1 for a single control
    ControlKind kind = ControlKind::Label;
    int order = 0;      // front to back, 1 is the frontmost
    int tabIndex = -1;  // -1: no place in the focus order
    bool tabStop = true;
    bool visible = true;
    bool enabled = true;  // a TulmXpButton keeps its own in `properties`

    int left = 0, top = 0, width = 0, height = 0;  // every kind but Line
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;            // Line

    std::string text;             // TextBox, Label
    StdFont font;                 // the form's unless stored
    std::uint32_t foreColor = 0;  // defaults: window text colour; labels: button text colour
    std::uint32_t backColor = 0;  // defaults: window colour; labels: the form's; picture boxes: button face
    bool dropDownList = false;    // ComboBox: the user only picks an entry
    bool sorted = false;          // ListBox
    bool opaque = true;           // Label: fills its box with its back colour
    bool autoSize = false;        // Label: sizes itself to its text; PictureBox: to its picture
    bool wordWrap = false;        // Label
    TextAlignment alignment = TextAlignment::Left;  // Label
    std::uint32_t borderColor = 0;                  // Line, Shape (black unless stored)
    int borderWidth = 1;                            // Line, Shape
    bool sunkenEdge = false;                        // PictureBox
    std::string picture;                            // PictureBox, Image: a picture path, empty for none
    bool stretch = false;                           // Image: scaled to its box
    PropertyBag properties;                         // TulmXpButton: its property bag as stored

    // Whether the control has a window of its own (it can take the focus and keeps the mouse) or is
    // drawn on the window's surface.
    bool hasWindow() const;
    // "cmd(1)" for an element of an array, else the name: how complaints and object names call it.
    std::string displayName() const;
};

// A window's layout, read from the JSON a layout file holds. The format (one object; colours either
// [r, g, b] or a system colour name: "window", "windowText", "buttonFace", "buttonText"; a font is
// {"name": face, "size": points, "weight": 400|700, "italic", "underline", "strikethrough": bool,
// "charset": number}, missing members taking MS Sans Serif 8.25 pt regular's values):
//
//   {
//     "form": {
//       "name": "frmMain", "caption": "Velmoran v2.0",
//       "border": "none" | "fixedDialog" | "sizable"        (default "sizable")
//       "backColor": colour,                (default "buttonFace")
//       "foreColor": colour,                (default "buttonText")
//       "font": font,
//       "width": twips, "height": twips,    required
//       "position": "centerScreen" | "manual" | "default"    (default "default")
//       "left": twips, "top": twips,        with "position": "manual"
//       "icon": picture path, "showInTaskbar": bool          (default true)
//       "gradient": {"steps": n, "stepSize": n}   banded from "backColor", which is then [r, g, b]
//       "dragItems": [item names], "frameShape": shape name  (labels and images; a shape)
//     },
//     "controls": [                         any order; each:
//       {
//         "name": "cmd", "index": 1,        "index" only for elements of control arrays
//         "kind": "TulmXpButton" | "PictureBox" | "TextBox" | "ComboBox" | "ListBox"
//                 | "Label" | "Line" | "Shape" | "Image",
//         "order": 5, "tabIndex": 1,        order required; tabIndex optional
//         "tabStop", "visible", "enabled": bool              (default true)
//         "left", "top", "width", "height": twips           required, every kind but Line
//         "x1", "y1", "x2", "y2": twips                      required, Line
//         "text": string, "font": font, "foreColor", "backColor": colour,
//         "style": "dropDownList" | "dropDownCombo"         (default "dropDownCombo")
//         "sorted", "autoSize", "wordWrap", "stretch": bool  (default false)
//         "backStyle": "transparent" | "opaque"             (default "opaque")
//         "alignment": "left" | "center" | "right"          (default "left")
//         "borderColor": colour, "borderWidth": pixels      (default black, 1)
//         "edge": "none" | "sunken",  "picture": picture path
//         "properties": { ... }             TulmXpButton: its property bag, keys in lower case;
//                                           booleans become -1/0; [r, g, b] and, under keys naming
//                                           a colour ("...color", "...hover"), system colour
//                                           names become stored colours; objects become fonts
//       }
//     ]
//   }
//
// Picture paths are kept as written; the front end that draws the window finds the pictures.
struct FormDescription {
    std::string source;  // the layout's name, as complaints call it
    FormSettings form;
    std::vector<ControlDescription> controls;  // front to back; equal orders keep the file's order

    // Reads `json`; `source` names the layout in complaints. Throws LayoutError saying what is wrong
    // where ("layout frmTest: cmd(1): \"order\" must be present").
    static FormDescription parse(std::string_view json, std::string_view source);
    // The layout compiled into the program under `name` ("frmMain"); LayoutError for an unknown
    // name or a broken text.
    static FormDescription embedded(std::string_view name);

    // The control named so, or null.
    const ControlDescription* find(std::string_view name, int index = -1) const;
    // The controls the Tab key visits, in focus order: those with a window of their own, a tab
    // index and "tabStop" left true, hidden and disabled ones included (they keep their places).
    std::vector<const ControlDescription*> tabStops() const;
};

}  // namespace quorvane
