// The layouts read without any toolkit: the files compiled into the core, the three windows as
// they read, and small layouts made here for the settings and their defaults, stacking, tab stops,
// the buttons' stored properties and the complaints about a layout that cannot be read.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "layouts/AboutLikeLayout.h"
#include "layouts/FormDescription.h"
#include "layouts/LayoutTexts.h"

namespace quorvane {
namespace {

std::vector<std::string> namesOf(const std::vector<const ControlDescription*>& controls) {
    std::vector<std::string> names;
    for (const ControlDescription* c : controls) names.push_back(c->displayName());
    return names;
}

std::vector<std::string> frontToBack(const FormDescription& layout) {
    std::vector<std::string> names;
    for (const ControlDescription& c : layout.controls) names.push_back(c.displayName());
    return names;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FormDescriptionTest, TheLayoutFilesAreBuiltInByteForByte) {
    std::vector<std::string> names;
    for (const LayoutText& text : layoutTexts()) {
        names.emplace_back(text.name);
        EXPECT_EQ(text.json, fileBytes(std::string(QUORVANE_LAYOUT_DIR "/") + std::string(text.name) + ".json"))
            << text.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"frmMain", "frmList", "frmAbout"}));
}

TEST(FormDescriptionTest, TheThreeWindowsReadAsDesigned) {
    struct Case {
        const char* layout;
        const char* caption;
        FormBorder border;
        FormPosition position;
        int width, height, left, top;
        const char* icon;
        bool showInTaskbar;
        std::vector<std::string> frontToBack;
        std::vector<std::string> tabStops;
    };
    const Case cases[] = {
        {"frmMain",
         "Velmoran v2.0",
         FormBorder::None,
         FormPosition::CenterScreen,
         6465,
         7005,
         0,
         0,
         ":/art/quorvane-48.png",
         true,
         {"Picture2", "Picture1", "cmb1",      "Text1",     "cmd(1)",    "cmd(2)",   "cmd(0)",
          "cmd(3)",   "cmd(4)",   "cmd(5)",    "cmd(6)",    "cmd(7)",    "cmd(8)",   "cmd(9)",
          "Image2",   "Line1(4)", "Shape1",    "Label1(4)", "Label1(3)", "Line1(3)", "Label1(2)",
          "Line1(2)", "Line1(1)", "Label1(1)", "Label1(0)", "Line1(0)",  "Image1"},
         {"cmd(0)", "cmd(1)", "cmd(2)", "Text1", "cmb1", "cmd(3)", "cmd(4)", "cmd(5)", "cmd(6)", "cmd(7)", "cmd(8)",
          "cmd(9)", "Picture1", "Picture2"}},
        {"frmList",
         "Form1",
         FormBorder::None,
         FormPosition::Default,
         7500,
         2970,
         0,
         0,
         "",
         false,
         {"List1", "cmd(0)", "cmd(1)", "Label1", "Shape1"},
         {"cmd(0)", "cmd(1)", "List1"}},
        {"frmAbout",
         "About MyApp",
         FormBorder::FixedDialog,
         FormPosition::Manual,
         5310,
         3405,
         2340,
         1935,
         ":/art/quorvane-32.png",
         false,
         {"Picture2", "cmdFace", "Picture1", "cmdUnload", "cmdSysInfo", "Label1", "Line1(1)", "lblDescription",
          "lblTitle", "Line1(0)"},
         {"cmdUnload", "cmdSysInfo", "Picture1", "cmdFace", "Picture2"}},
    };
    for (const Case& c : cases) {
        const FormDescription layout = FormDescription::embedded(c.layout);
        EXPECT_EQ(layout.source, c.layout);
        EXPECT_EQ(layout.form.name, c.layout);
        EXPECT_EQ(layout.form.caption, c.caption) << c.layout;
        EXPECT_EQ(layout.form.border, c.border) << c.layout;
        EXPECT_EQ(layout.form.position, c.position) << c.layout;
        EXPECT_EQ(layout.form.width, c.width) << c.layout;
        EXPECT_EQ(layout.form.height, c.height) << c.layout;
        EXPECT_EQ(layout.form.left, c.left) << c.layout;
        EXPECT_EQ(layout.form.top, c.top) << c.layout;
        EXPECT_EQ(layout.form.backColor, 0x00A4AF8Fu) << c.layout;
        EXPECT_EQ(layout.form.icon, c.icon) << c.layout;
        EXPECT_EQ(layout.form.showInTaskbar, c.showInTaskbar) << c.layout;
        EXPECT_EQ(frontToBack(layout), c.frontToBack) << c.layout;
        EXPECT_EQ(namesOf(layout.tabStops()), c.tabStops) << c.layout;
    }
}

// What the front ends read instead of stating it themselves: the working windows' banded background
// from their colour, 143, 175, 164, in 20 bands darker by 2 each; the banner that drags the main
// window; the frame shape that sizes both.
TEST(FormDescriptionTest, TheWindowsChromeIsStatedInTheLayouts) {
    const struct Case {
        const char* layout;
        std::optional<FormGradient> gradient;
        std::vector<std::string> dragItems;
        const char* frameShape;
    } cases[] = {
        {"frmMain", FormGradient{0x00A4AF8F, 20, 2}, {"Image1"}, "Shape1"},
        {"frmList", FormGradient{0x00A4AF8F, 20, 2}, {}, "Shape1"},
        {"frmAbout", std::nullopt, {}, ""},
    };
    for (const Case& c : cases) {
        const FormDescription layout = FormDescription::embedded(c.layout);
        EXPECT_EQ(layout.form.gradient, c.gradient) << c.layout;
        EXPECT_EQ(layout.form.dragItems, c.dragItems) << c.layout;
        EXPECT_EQ(layout.form.frameShape, c.frameShape) << c.layout;
    }
}

TEST(FormDescriptionTest, TheMainWindowsControlsAsStored) {
    const FormDescription layout = FormDescription::embedded("frmMain");
    struct Case {
        const char* name;
        int index;
        ControlKind kind;
        int left, top, width, height;
        const char* text;
        const char* face;
        double size;
        bool italic;
        std::uint32_t fore, back;
    };
    const Case cases[] = {
        {"Picture1", -1, ControlKind::PictureBox, 375, 4650, 495, 495, "", "MS Sans Serif", 8.25, false,
         kSystemWindowText, kSystemWindow},
        {"cmb1", -1, ControlKind::ComboBox, 225, 2475, 1440, 330, "", "Arial", 8.25, true, 0x000000C0, 0x00E0E0E0},
        {"Text1", -1, ControlKind::TextBox, 225, 1425, 2715, 315, "Select a folder ----->", "MS Sans Serif", 8.25,
         false, kSystemWindowText, 0x00E0E0E0},
        {"cmd", 0, ControlKind::TulmXpButton, 3075, 1425, 315, 315, "", "MS Sans Serif", 8.25, false, kSystemWindowText,
         kSystemWindow},
        {"Label1", 4, ControlKind::Label, 1275, 5175, 420, 420, "New Icon", "Arial", 8.25, false, kSystemButtonText,
         0x00A4AF8F},
        {"Label1", 0, ControlKind::Label, 225, 2025, 1560, 225, "Simple lock foder,..", "Arial", 9, false,
         kSystemButtonText, 0x00A4AF8F},
        {"Shape1", -1, ControlKind::Shape, 0, 0, 3690, 6540, "", "MS Sans Serif", 8.25, false, kSystemWindowText,
         kSystemWindow},
        {"Image1", -1, ControlKind::Image, 0, 0, 3750, 1215, "", "MS Sans Serif", 8.25, false, kSystemWindowText,
         kSystemWindow},
    };
    for (const Case& c : cases) {
        const ControlDescription* d = layout.find(c.name, c.index);
        ASSERT_NE(d, nullptr) << c.name << c.index;
        const std::string name = d->displayName();
        EXPECT_EQ(d->kind, c.kind) << name;
        EXPECT_EQ((std::vector<int>{d->left, d->top, d->width, d->height}),
                  (std::vector<int>{c.left, c.top, c.width, c.height}))
            << name;
        EXPECT_EQ(d->text, c.text) << name;
        EXPECT_EQ(d->font.name, c.face) << name;
        EXPECT_EQ(d->font.size, c.size) << name;
        EXPECT_EQ(d->font.weight, 400) << name;
        EXPECT_EQ(d->font.italic, c.italic) << name;
        EXPECT_EQ(d->foreColor, c.fore) << name;
        EXPECT_EQ(d->backColor, c.back) << name;
    }
    EXPECT_TRUE(layout.find("cmb1")->dropDownList);
    for (int i : {3, 4}) {
        const ControlDescription* label = layout.find("Label1", i);
        EXPECT_TRUE(label->autoSize && label->wordWrap && !label->opaque) << i;
    }
    const ControlDescription* line = layout.find("Line1", 4);
    EXPECT_EQ((std::vector<int>{line->x1, line->y1, line->x2, line->y2}), (std::vector<int>{0, 1275, 3675, 1275}));
    EXPECT_EQ(line->borderColor, 0x006B7955u);
    EXPECT_EQ(line->borderWidth, 2);
    EXPECT_EQ(layout.find("Shape1")->borderWidth, 3);
    EXPECT_TRUE(layout.find("Image1")->stretch);
    EXPECT_EQ(layout.find("Image1")->picture, ":/art/banner.jpg");
    EXPECT_EQ(layout.find("Image2")->picture, ":/art/quorvane-48.png");

    // The buttons' bags as stored: the exit button's, whole.
    const PropertyBag& exit = layout.find("cmd", 9)->properties;
    EXPECT_EQ(exit.entries().size(), 6u);
    EXPECT_EQ(exit.read("_extentx", std::uint32_t{0}), PropertyBag::Value(std::uint32_t{2672}));
    EXPECT_EQ(exit.read("_extenty", std::uint32_t{0}), PropertyBag::Value(std::uint32_t{688}));
    EXPECT_EQ(exit.readString("caption", ""), "Exit");
    EXPECT_EQ(exit.readFont("font", StdFont{}), (StdFont{"Comic Sans MS", 9, 700}));
    EXPECT_EQ(exit.readColour("forecolor", 0), 0x006B7955u);
    EXPECT_EQ(exit.readColour("forehover", 0), 0x008080FFu);
    EXPECT_EQ(layout.find("cmd", 0)->properties.readFont("font", StdFont{}).charset, 222);
}

TEST(FormDescriptionTest, ASmallDialogReadsWithItsSettingsControlsAndTabStops) {
    const FormDescription layout = FormDescription::parse(test::kAboutLike, "frmTest");
    EXPECT_EQ(layout.form.name, "frmTest");
    EXPECT_EQ(layout.form.caption, "About ");
    EXPECT_EQ(layout.form.border, FormBorder::FixedDialog);
    EXPECT_EQ(layout.form.position, FormPosition::Manual);
    EXPECT_EQ((std::vector<int>{layout.form.left, layout.form.top, layout.form.width, layout.form.height}),
              (std::vector<int>{2340, 1935, 5310, 3405}));
    EXPECT_EQ(layout.form.icon, ":/art/quorvane-32.png");
    EXPECT_FALSE(layout.form.showInTaskbar);
    EXPECT_EQ(layout.form.font, StdFont{}) << "MS Sans Serif 8.25, the buttons' ambient font";

    // Front to back, whatever the order in the file.
    EXPECT_EQ(frontToBack(layout), (std::vector<std::string>{"Text1", "cmdFace", "Picture1", "cmdUnload", "Label1",
                                                             "Line1(1)", "Line1(0)"}));
    EXPECT_EQ(layout.find("Line1", 2), nullptr);
    EXPECT_EQ(layout.find("nothing"), nullptr);

    const ControlDescription* photo = layout.find("Picture1");
    EXPECT_TRUE(photo->sunkenEdge && photo->autoSize && !photo->visible);
    EXPECT_EQ(photo->picture, ":/art/portrait-photo.jpg");
    const ControlDescription* text = layout.find("Text1");
    EXPECT_TRUE(!text->enabled && !text->tabStop);
    EXPECT_EQ(text->text, "typed");
    const ControlDescription* label = layout.find("Label1");
    EXPECT_EQ(label->font, (StdFont{"Tahoma", 9, 700, false, false, false, 222}));
    EXPECT_EQ(label->foreColor, 0x00FF00FFu);
    EXPECT_EQ(label->backColor, 0x00A4AF8Fu);
    EXPECT_TRUE(label->opaque);

    const PropertyBag& face = layout.find("cmdFace")->properties;
    EXPECT_EQ(face.readString("caption", ""), "&Change...");
    EXPECT_EQ(face.readFont("font", StdFont{}), (StdFont{"Comic Sans MS", 8.25, 700}));
    EXPECT_EQ(face.readColour("forecolor", 0), 0x006B7955u);
    EXPECT_EQ(face.readColour("forehover", 0), 0x00A4AF8Fu);
    const PropertyBag& ok = layout.find("cmdUnload")->properties;
    EXPECT_EQ(ok.entries().size(), 1u);
    EXPECT_EQ(ok.readString("caption", ""), "&OK");

    // The text box is no tab stop; the hidden photo keeps its place for when it shows.
    EXPECT_EQ(namesOf(layout.tabStops()), (std::vector<std::string>{"cmdUnload", "Picture1", "cmdFace"}));
}

TEST(FormDescriptionTest, DefaultsFillWhatALayoutLeavesOut) {
    const FormDescription bare = FormDescription::parse(R"({"form": {"width": 15, "height": 30}})", "bare");
    EXPECT_EQ(bare.form.name, "");
    EXPECT_EQ(bare.form.border, FormBorder::Sizable);
    EXPECT_EQ(bare.form.position, FormPosition::Default);
    EXPECT_EQ(bare.form.backColor, kSystemButtonFace);
    EXPECT_EQ(bare.form.foreColor, kSystemButtonText);
    EXPECT_EQ(bare.form.font, (StdFont{"MS Sans Serif", 8.25, 400}));
    EXPECT_TRUE(bare.form.showInTaskbar);
    EXPECT_TRUE(bare.controls.empty());

    // Each kind's colours when it stores none; every control takes the form's font.
    const FormDescription layout = FormDescription::parse(R"({
      "form": {"width": 15, "height": 30, "backColor": [1, 2, 3], "font": {"name": "Arial", "italic": true}},
      "controls": [
        {"name": "TulmXpButton", "kind": "TulmXpButton", "order": 1, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "PictureBox", "kind": "PictureBox", "order": 2, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "TextBox", "kind": "TextBox", "order": 3, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "ComboBox", "kind": "ComboBox", "order": 4, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "ListBox", "kind": "ListBox", "order": 5, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "Label", "kind": "Label", "order": 6, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "Line", "kind": "Line", "order": 7, "x1": 0, "y1": 0, "x2": 1, "y2": 1},
        {"name": "Shape", "kind": "Shape", "order": 8, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "Image", "kind": "Image", "order": 9, "left": 0, "top": 0, "width": 1, "height": 1}
      ]})",
                                                          "kinds");
    struct Case {
        const char* kind;
        bool window;
        std::uint32_t fore, back;
    };
    const Case cases[] = {
        {"TulmXpButton", true, kSystemWindowText, kSystemWindow},
        {"PictureBox", true, kSystemWindowText, kSystemButtonFace},
        {"TextBox", true, kSystemWindowText, kSystemWindow},
        {"ComboBox", true, kSystemWindowText, kSystemWindow},
        {"ListBox", true, kSystemWindowText, kSystemWindow},
        {"Label", false, kSystemButtonText, 0x00030201},
        {"Line", false, kSystemWindowText, kSystemWindow},
        {"Shape", false, kSystemWindowText, kSystemWindow},
        {"Image", false, kSystemWindowText, kSystemWindow},
    };
    ASSERT_EQ(layout.controls.size(), std::size(cases));
    for (const Case& c : cases) {
        const ControlDescription* d = layout.find(c.kind);
        ASSERT_NE(d, nullptr) << c.kind;
        EXPECT_EQ(d->hasWindow(), c.window) << c.kind;
        EXPECT_EQ(d->foreColor, c.fore) << c.kind;
        EXPECT_EQ(d->backColor, c.back) << c.kind;
        EXPECT_EQ(d->font, (StdFont{"Arial", 8.25, 400, true})) << c.kind;
        EXPECT_EQ(d->index, -1) << c.kind;
        EXPECT_EQ(d->tabIndex, -1) << c.kind;
        EXPECT_TRUE(d->tabStop && d->visible && d->enabled && d->opaque) << c.kind;
        EXPECT_FALSE(d->dropDownList || d->sorted || d->autoSize || d->wordWrap || d->sunkenEdge || d->stretch)
            << c.kind;
        EXPECT_EQ(d->alignment, TextAlignment::Left) << c.kind;
        EXPECT_EQ(d->borderColor, 0u) << c.kind;
        EXPECT_EQ(d->borderWidth, 1) << c.kind;
        EXPECT_EQ(d->text, "") << c.kind;
        EXPECT_EQ(d->picture, "") << c.kind;
        EXPECT_TRUE(d->properties.entries().empty()) << c.kind;
    }
    EXPECT_TRUE(layout.tabStops().empty()) << "no control has a tab index";
}

TEST(FormDescriptionTest, EqualOrdersAndTabIndexesKeepTheFilesOrder) {
    const FormDescription layout = FormDescription::parse(R"({"form": {"width": 1, "height": 1}, "controls": [
        {"name": "c", "kind": "TextBox", "order": 2, "tabIndex": 1, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "a", "kind": "ListBox", "order": 1, "tabIndex": 1, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "b", "kind": "ComboBox", "order": 2, "tabIndex": 0, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "lbl", "kind": "Label", "order": 0, "tabIndex": 0, "left": 0, "top": 0, "width": 1, "height": 1},
        {"name": "off", "kind": "TextBox", "order": 3, "tabIndex": 0, "tabStop": false, "left": 0, "top": 0,
         "width": 1, "height": 1},
        {"name": "hidden", "kind": "PictureBox", "order": 4, "tabIndex": 3, "visible": false, "enabled": false,
         "left": 0, "top": 0, "width": 1, "height": 1}
      ]})",
                                                          "t");
    EXPECT_EQ(frontToBack(layout), (std::vector<std::string>{"lbl", "a", "c", "b", "off", "hidden"}));
    // Labels and controls left out of Tab hold no place; hidden and disabled ones keep theirs.
    EXPECT_EQ(namesOf(layout.tabStops()), (std::vector<std::string>{"b", "a", "c", "hidden"}));
}

TEST(FormDescriptionTest, AButtonsStoredPropertiesBecomeItsBag) {
    struct Case {
        const char* json;
        const char* key;
        PropertyBag::Value value;
    };
    const Case cases[] = {
        {"true", "enabled", std::int16_t{-1}},
        {"false", "enabled", std::int16_t{0}},
        {"2672", "_extentx", std::uint32_t{2672}},
        {"-1", "mousepointer", std::uint32_t{0xFFFFFFFF}},
        {"4294967295", "backcolor", std::uint32_t{0xFFFFFFFF}},
        {"[85, 121, 107]", "forecolor", std::uint32_t{0x006B7955}},
        {"[1, 2, 3]", "picture", std::uint32_t{0x00030201}},
        {R"("buttonText")", "forecolor", std::uint32_t{0x80000012}},
        {R"("window")", "forehover", std::uint32_t{0x80000005}},
        {R"("window")", "caption", std::string("window")},
        {R"("")", "caption", std::string()},
        {R"({"name": "Tahoma", "size": 9, "weight": 700, "underline": true, "strikethrough": true})", "font",
         StdFont{"Tahoma", 9, 700, false, true, true, 0}},
    };
    for (const Case& c : cases) {
        const std::string json = R"({"form": {"width": 1, "height": 1}, "controls": [{"name": "b",
            "kind": "TulmXpButton", "order": 1, "left": 0, "top": 0, "width": 1, "height": 1,
            "properties": {")" + std::string(c.key) +
                                 R"(": )" + c.json + "}}]}";
        const FormDescription layout = FormDescription::parse(json, "t");
        const PropertyBag& bag = layout.controls.at(0).properties;
        ASSERT_EQ(bag.entries().size(), 1u) << c.key << " " << c.json;
        EXPECT_EQ(bag.entries()[0].first, c.key) << c.json;
        EXPECT_EQ(bag.entries()[0].second, c.value) << c.key << " " << c.json;
    }
}

TEST(FormDescriptionTest, ALayoutThatCannotBeReadSaysWhatAndWhere) {
    // A control made of the given members, on a form that is right.
    auto withControl = [](const std::string& members) {
        return R"({"form": {"width": 1, "height": 1}, "controls": [{)" + members + "}]}";
    };
    const std::string label = R"("name": "l", "kind": "Label", "order": 1, "left": 0, "top": 0, "width": 1, )"
                              R"("height": 1, )";
    const std::string button = R"("name": "b", "index": 1, "kind": "TulmXpButton", "order": 1, "left": 0, )"
                               R"("top": 0, "width": 1, "height": 1, )";
    struct Case {
        const char* name;
        std::string json;
        const char* says;
    };
    const Case cases[] = {
        {"not JSON", "{",
         "layout t: parse error at line 1, column 2: syntax error while parsing object key - unexpected end of "
         "input; expected string literal"},
        {"not an object", "[]", "layout t: the layout must be an object"},
        {"no form", R"({"controls": []})", "layout t: the layout: \"form\" must be present"},
        {"no size", R"({"form": {}, "controls": []})", "layout t: form: \"width\" must be present"},
        {"misspelt setting", R"({"form": {"width": 1, "height": 1, "captoin": "x"}})",
         "layout t: form: unknown member \"captoin\""},
        {"controls not a list", R"({"form": {"width": 1, "height": 1}, "controls": {}})",
         "layout t: the layout: \"controls\" must be an array"},
        {"control not an object", R"({"form": {"width": 1, "height": 1}, "controls": [3]})",
         "layout t: controls[0] must be an object"},
        {"no name", withControl(R"("kind": "Label")"), "layout t: controls[0]: \"name\" must be a non-empty string"},
        {"no kind", withControl(R"("name": "a", "order": 1)"), "layout t: a: \"kind\" must be present"},
        {"unknown kind", withControl(R"("name": "a", "kind": "Dial", "order": 1)"),
         "layout t: a: \"kind\" must be one of \"TulmXpButton\" \"PictureBox\" \"TextBox\" \"ComboBox\" "
         "\"ListBox\" \"Label\" \"Line\" \"Shape\" \"Image\""},
        {"no order", withControl(R"("name": "a", "kind": "Label")"), "layout t: a: \"order\" must be present"},
        {"a line without its end", withControl(R"("name": "a", "index": 2, "kind": "Line", "order": 1, "x1": 0,
           "y1": 0, "x2": 0)"),
         "layout t: a(2): \"y2\" must be present"},
        {"fractional length", withControl(label.substr(0, label.find("\"width\"")) + R"("width": 1.5, "height": 1)"),
         "layout t: l: \"width\" must be a whole number, 0 or more"},
        {"negative length", withControl(label.substr(0, label.find("\"width\"")) + R"("width": -1, "height": 1)"),
         "layout t: l: \"width\" must be a whole number, 0 or more"},
        {"bad index", withControl(R"("name": "a", "index": -1)"),
         "layout t: controls[0]: \"index\" must be a whole number from 0 to 32767"},
        {"bad colour name", withControl(label + R"("foreColor": "pink")"),
         "layout t: l: \"foreColor\" must be [r, g, b] (each 0 to 255) or a system colour name"},
        {"colour out of range", withControl(label + R"("backColor": [0, 256, 0])"),
         "layout t: l: \"backColor\" must be [r, g, b] (each 0 to 255) or a system colour name"},
        {"misspelt member", withControl(label + R"("foreColour": [0, 0, 0])"),
         "layout t: l: unknown member \"foreColour\""},
        {"not a flag", withControl(label + R"("autoSize": 1)"), "layout t: l: \"autoSize\" must be true or false"},
        {"unknown choice", withControl(label + R"("backStyle": "clear")"),
         "layout t: l: \"backStyle\" must be one of \"opaque\" \"transparent\""},
        {"font size", withControl(label + R"("font": {"size": 0})"),
         "layout t: l.font: \"size\" must be a number above 0"},
        {"font member", withControl(label + R"("font": {"bold": true})"), "layout t: l.font: unknown member \"bold\""},
        // Numbers beyond what the JSON library holds fail while the text is read: named all the same.
        {"a length out of range", withControl(label.substr(0, label.find("\"width\"")) + R"("width": 1e400, "height": 1)"),
         "layout t: controls[0].width: number overflow parsing '1e400'"},
        {"a form setting out of range", R"({"form": {"width": 1, "height": -1e999}})",
         "layout t: form.height: number overflow parsing '-1e999'"},
        {"a property out of range", withControl(button + R"("properties": {"font": {"size": 2e308}})"),
         "layout t: controls[0].properties.font.size: number overflow parsing '2e308'"},
        {"named twice", R"({"form": {"width": 1, "height": 1}, "controls": [{)" + button + R"("properties": {}},
           {)" + button + R"("visible": true}]})",
         "layout t: b(1): named twice"},
        {"properties not an object", withControl(button + R"("properties": [])"),
         "layout t: b(1): \"properties\" must be an object"},
        {"bad property colour", withControl(button + R"("properties": {"forehover": "pink"})"),
         "layout t: b(1).properties: \"forehover\" must be [r, g, b] (each 0 to 255) or a system colour name"},
        {"property list", withControl(button + R"("properties": {"caption": ["a"]})"),
         "layout t: b(1).properties: \"caption\" must be [r, g, b] (each 0 to 255) or a system colour name"},
        {"property null", withControl(button + R"("properties": {"caption": null})"),
         "layout t: b(1).properties: \"caption\" must be a boolean, number, string, colour or font"},
        {"property too big", withControl(button + R"("properties": {"_extentx": 4294967296})"),
         "layout t: b(1).properties: \"_extentx\" must be a whole number that fits 32 bits"},
        {"property font", withControl(button + R"("properties": {"font": {"weight": 0}})"),
         "layout t: b(1).properties.font: \"weight\" must be a whole number from 1 to 1000"},
        {"gradient from a system colour", R"({"form": {"width": 1, "height": 1, "gradient": {"steps": 1, "stepSize": 1}}})",
         "layout t: form: \"backColor\" must be [r, g, b] under a gradient"},
        {"gradient without steps", R"({"form": {"width": 1, "height": 1, "backColor": [1, 2, 3], "gradient": {"stepSize": 1}}})",
         "layout t: form.gradient: \"steps\" must be present"},
        {"gradient of no steps",
         R"({"form": {"width": 1, "height": 1, "backColor": [1, 2, 3], "gradient": {"steps": 0, "stepSize": 1}}})",
         "layout t: form.gradient: \"steps\" must be a whole number from 1 to 32767"},
        {"drag items not a list", R"({"form": {"width": 1, "height": 1, "dragItems": "l"}})",
         "layout t: form: \"dragItems\" must be an array of item names"},
        {"drag item missing", R"({"form": {"width": 1, "height": 1, "dragItems": ["m"]}, "controls": [{)" + label +
                                  R"("visible": true}]})",
         "layout t: form: \"dragItems\" must name labels and images of the layout, not \"m\""},
        {"drag item with a window", R"j({"form": {"width": 1, "height": 1, "dragItems": ["b(1)"]}, "controls": [{)j" +
                                        button + R"("visible": true}]})",
         "layout t: form: \"dragItems\" must name labels and images of the layout, not \"b(1)\""},
        {"frame shape not a shape", R"({"form": {"width": 1, "height": 1, "frameShape": "l"}, "controls": [{)" +
                                        label + R"("visible": true}]})",
         "layout t: form: \"frameShape\" must name a shape of the layout, not \"l\""},
    };
    for (const Case& c : cases) {
        try {
            FormDescription::parse(c.json, "t");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const LayoutError& e) {
            EXPECT_EQ(std::string(e.what()), c.says) << c.name;
        }
    }
    try {
        FormDescription::embedded("none");
        ADD_FAILURE() << "an unknown layout: accepted";
    } catch (const LayoutError& e) {
        EXPECT_EQ(std::string(e.what()), "layout none: no such layout is built in");
    }
}

}  // namespace
}  // namespace quorvane
