#pragma once

// A small dialog's layout, shared by the core's reading tests and the Qt loader's tests: the kinds
// the about window needs (opaque labels, a sunken picture box sized to its JPEG, thin lines), a
// text box left out of Tab, controls listed out of their front-to-back order.
namespace quorvane::test {

inline constexpr const char* kAboutLike = R"({
  "form": {"name": "frmTest", "caption": "About ", "border": "fixedDialog", "backColor": [143, 175, 164],
           "width": 5310, "height": 3405, "position": "manual", "left": 2340, "top": 1935,
           "icon": ":/art/quorvane-32.png", "showInTaskbar": false},
  "controls": [
    {"name": "Picture1", "kind": "PictureBox", "order": 3, "tabIndex": 5, "left": 240, "top": 360,
     "width": 1395, "height": 1680, "edge": "sunken", "autoSize": true, "picture": ":/art/portrait-photo.jpg",
     "visible": false},
    {"name": "cmdFace", "kind": "TulmXpButton", "order": 2, "tabIndex": 6, "left": 120, "top": 2160,
     "width": 1575, "height": 375,
     "properties": {"caption": "&Change...", "font": {"name": "Comic Sans MS", "size": 8.25, "weight": 700},
                    "forecolor": [85, 121, 107], "forehover": [143, 175, 164]}},
    {"name": "cmdUnload", "kind": "TulmXpButton", "order": 4, "tabIndex": 2, "left": 3840, "top": 2760,
     "width": 1335, "height": 375, "properties": {"caption": "&OK"}},
    {"name": "Label1", "kind": "Label", "order": 6, "tabIndex": 4, "left": 1800, "top": 600, "width": 1965,
     "height": 360, "text": "Freeware version", "foreColor": [255, 0, 255], "backColor": [143, 175, 164],
     "font": {"name": "Tahoma", "size": 9, "weight": 700, "charset": 222}},
    {"name": "Line1", "index": 1, "kind": "Line", "order": 7, "x1": 90, "y1": 2565, "x2": 5654, "y2": 2565,
     "borderColor": [128, 128, 128], "borderWidth": 1},
    {"name": "Line1", "index": 0, "kind": "Line", "order": 10, "x1": 105, "y1": 2580, "x2": 5654, "y2": 2580,
     "borderColor": [255, 255, 255], "borderWidth": 2},
    {"name": "Text1", "kind": "TextBox", "order": 1, "tabIndex": 1, "tabStop": false, "left": 120, "top": 120,
     "width": 1500, "height": 315, "text": "typed", "enabled": false}
  ]
})";

}  // namespace quorvane::test
