#include "layouts/FormDescription.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "layouts/LayoutTexts.h"

namespace quorvane {

namespace {

using Json = nlohmann::json;

template <class T>
struct Choice {
    const char* name;
    T value;
};

constexpr Choice<std::uint32_t> kSystemColours[] = {
    {"window", kSystemWindow},
    {"windowText", kSystemWindowText},
    {"buttonFace", kSystemButtonFace},
    {"buttonText", kSystemButtonText},
};
constexpr Choice<ControlKind> kKinds[] = {
    {"TulmXpButton", ControlKind::TulmXpButton},
    {"PictureBox", ControlKind::PictureBox},
    {"TextBox", ControlKind::TextBox},
    {"ComboBox", ControlKind::ComboBox},
    {"ListBox", ControlKind::ListBox},
    {"Label", ControlKind::Label},
    {"Line", ControlKind::Line},
    {"Shape", ControlKind::Shape},
    {"Image", ControlKind::Image},
};
constexpr Choice<FormBorder> kBorders[] = {
    {"none", FormBorder::None}, {"fixedDialog", FormBorder::FixedDialog}, {"sizable", FormBorder::Sizable}};
constexpr Choice<FormPosition> kPositions[] = {
    {"default", FormPosition::Default}, {"centerScreen", FormPosition::CenterScreen}, {"manual", FormPosition::Manual}};
constexpr Choice<TextAlignment> kAlignments[] = {
    {"left", TextAlignment::Left}, {"center", TextAlignment::Center}, {"right", TextAlignment::Right}};
constexpr Choice<bool> kDropDownList[] = {{"dropDownCombo", false}, {"dropDownList", true}};
constexpr Choice<bool> kOpaque[] = {{"opaque", true}, {"transparent", false}};
constexpr Choice<bool> kSunken[] = {{"none", false}, {"sunken", true}};

// The members each object may have: a misspelt one would otherwise be passed over unseen.
const std::initializer_list<const char*> kRootKeys = {"form", "controls"};
const std::initializer_list<const char*> kFormKeys = {"name", "caption", "border",       "backColor", "foreColor",
                                                      "font", "width",   "height",       "position",  "left",
                                                      "top",  "icon",    "showInTaskbar", "gradient",  "dragItems",
                                                      "frameShape"};
const std::initializer_list<const char*> kGradientKeys = {"steps", "stepSize"};
const std::initializer_list<const char*> kControlKeys = {
    "name",     "index",     "kind",        "order",       "tabIndex", "tabStop", "visible",   "enabled",
    "left",     "top",       "width",       "height",      "x1",       "y1",      "x2",        "y2",
    "text",     "font",      "foreColor",   "backColor",   "style",    "sorted",  "backStyle", "autoSize",
    "wordWrap", "alignment", "borderColor", "borderWidth", "edge",     "picture", "stretch",   "properties"};
const std::initializer_list<const char*> kFontKeys = {"name",      "size",          "weight", "italic",
                                                      "underline", "strikethrough", "charset"};

[[noreturn]] void fail(std::string_view source, const std::string& what) {
    throw LayoutError("layout " + std::string(source) + ": " + what);
}

// [r, g, b] with whole components from 0 to 255.
std::optional<std::uint32_t> rgbOf(const Json& v) {
    if (!v.is_array() || v.size() != 3) return std::nullopt;
    std::uint32_t colour = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!v[i].is_number_integer()) return std::nullopt;
        const auto component = v[i].get<std::int64_t>();
        if (component < 0 || component > 255) return std::nullopt;
        colour |= static_cast<std::uint32_t>(component) << (8 * i);
    }
    return colour;
}

std::optional<std::uint32_t> systemColourOf(const Json& v) {
    if (!v.is_string()) return std::nullopt;
    for (const auto& [name, colour] : kSystemColours)
        if (v.get_ref<const std::string&>() == name) return colour;
    return std::nullopt;
}

// Reads the members of one object, naming the object in every complaint. `keys` are the members it
// may have (none given: not checked).
class Reader {
public:
    Reader(const Json& object, std::string_view source, std::string where, std::initializer_list<const char*> keys = {})
        : m_object(object), m_source(source), m_where(std::move(where)) {
        if (!m_object.is_object()) fail(m_source, m_where + " must be an object");
        if (keys.size() == 0) return;
        for (const auto& item : m_object.items()) {
            if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return item.key() == k; }))
                fail(m_source, m_where + ": unknown member \"" + item.key() + "\"");
        }
    }

    const Json* value(const char* key) const {
        const auto it = m_object.find(key);
        return it == m_object.end() ? nullptr : &*it;
    }

    std::string string(const char* key, const std::string& fallback = {}) const {
        const Json* v = value(key);
        if (!v) return fallback;
        if (!v->is_string()) complain(key, "a string");
        return v->get<std::string>();
    }
    // A whole number from `low` to `high`.
    int number(const char* key, int fallback, int low = std::numeric_limits<int>::min(),
               int high = std::numeric_limits<int>::max(), const char* expected = "a whole number") const {
        const Json* v = value(key);
        if (!v) return fallback;
        if (!v->is_number()) complain(key, expected);
        const double d = v->get<double>();
        if (std::trunc(d) != d || d < low || d > high) complain(key, expected);
        return static_cast<int>(d);
    }
    int required(const char* key, int low = std::numeric_limits<int>::min(),
                 const char* expected = "a whole number") const {
        if (!value(key)) complain(key, "present");
        return number(key, 0, low, std::numeric_limits<int>::max(), expected);
    }
    int length(const char* key) const { return required(key, 0, "a whole number, 0 or more"); }
    bool boolean(const char* key, bool fallback) const {
        const Json* v = value(key);
        if (!v) return fallback;
        if (!v->is_boolean()) complain(key, "true or false");
        return v->get<bool>();
    }
    std::uint32_t colour(const char* key, std::uint32_t fallback) const {
        const Json* v = value(key);
        if (!v) return fallback;
        if (const auto c = rgbOf(*v)) return *c;
        if (const auto c = systemColourOf(*v)) return *c;
        complain(key, "[r, g, b] (each 0 to 255) or a system colour name");
    }
    StdFont font(const char* key, const StdFont& fallback) const {
        const Json* v = value(key);
        if (!v) return fallback;
        return fontOf(*v, m_where + "." + key);
    }
    template <class T, std::size_t N>
    T choice(const char* key, const Choice<T> (&choices)[N], T fallback) const {
        const Json* v = value(key);
        if (!v) return fallback;
        if (v->is_string()) {
            for (const auto& [name, result] : choices)
                if (v->get_ref<const std::string&>() == name) return result;
        }
        std::string expected = "one of";
        for (const auto& c : choices) expected += std::string(" \"") + c.name + "\"";
        complain(key, expected.c_str());
    }

    // A button's stored property bag: booleans as -1/0, numbers as 32-bit values, colours as
    // 0x00BBGGRR or a system colour's reference, strings, fonts.
    PropertyBag properties(const char* key) const {
        PropertyBag bag;
        const Json* v = value(key);
        if (!v) return bag;
        if (!v->is_object()) complain(key, "an object");
        const std::string where = m_where + "." + key;
        for (const auto& [name, item] : v->items()) {
            const bool colourKey = name.find("color") != std::string::npos || name.find("hover") != std::string::npos;
            if (item.is_boolean()) {
                bag.write(name, PropertyBag::boolean(item.get<bool>()));
            } else if (item.is_number()) {
                // Stored as 32 bits: negative numbers as their two's complement.
                const double n = item.get<double>();
                if (std::trunc(n) != n || n < std::numeric_limits<std::int32_t>::min() ||
                    n > std::numeric_limits<std::uint32_t>::max())
                    fail(m_source, where + ": \"" + name + "\" must be a whole number that fits 32 bits");
                bag.write(name, static_cast<std::uint32_t>(static_cast<std::int64_t>(n)));
            } else if (const auto rgb = rgbOf(item)) {
                bag.write(name, *rgb);
            } else if (item.is_array() || (colourKey && item.is_string())) {
                const auto system = systemColourOf(item);
                if (!colourKey || !system)
                    fail(m_source,
                         where + ": \"" + name + "\" must be [r, g, b] (each 0 to 255) or a system colour name");
                bag.write(name, *system);
            } else if (item.is_string()) {
                bag.write(name, item.get<std::string>());
            } else if (item.is_object()) {
                bag.write(name, fontOf(item, where + "." + name));
            } else {
                fail(m_source, where + ": \"" + name + "\" must be a boolean, number, string, colour or font");
            }
        }
        return bag;
    }

    [[noreturn]] void complain(const char* key, const char* expected) const {
        fail(m_source, m_where + ": \"" + key + "\" must be " + expected);
    }

private:
    StdFont fontOf(const Json& v, const std::string& where) const {
        const Reader r(v, m_source, where, kFontKeys);
        StdFont f;
        f.name = r.string("name", f.name);
        if (const Json* size = r.value("size"); size && (!size->is_number() || size->get<double>() <= 0))
            r.complain("size", "a number above 0");
        if (const Json* size = r.value("size")) f.size = size->get<double>();
        f.weight = static_cast<std::int16_t>(r.number("weight", f.weight, 1, 1000, "a whole number from 1 to 1000"));
        f.italic = r.boolean("italic", f.italic);
        f.underline = r.boolean("underline", f.underline);
        f.strikethrough = r.boolean("strikethrough", f.strikethrough);
        f.charset = static_cast<std::int16_t>(r.number("charset", f.charset, 0, 255, "a whole number from 0 to 255"));
        return f;
    }

    const Json& m_object;
    std::string_view m_source;
    std::string m_where;
};

FormSettings settingsOf(const Reader& f, std::string_view source) {
    FormSettings s;
    s.name = f.string("name");
    s.caption = f.string("caption");
    s.border = f.choice("border", kBorders, s.border);
    s.backColor = f.colour("backColor", s.backColor);
    s.foreColor = f.colour("foreColor", s.foreColor);
    s.font = f.font("font", s.font);
    s.width = f.length("width");
    s.height = f.length("height");
    s.position = f.choice("position", kPositions, s.position);
    s.left = f.number("left", 0);
    s.top = f.number("top", 0);
    s.icon = f.string("icon");
    s.showInTaskbar = f.boolean("showInTaskbar", s.showInTaskbar);
    if (const Json* gradient = f.value("gradient")) {
        if (s.backColor & kSystemColourFlag) f.complain("backColor", "[r, g, b] under a gradient");
        const Reader g(*gradient, source, "form.gradient", kGradientKeys);
        if (!g.value("steps")) g.complain("steps", "present");
        if (!g.value("stepSize")) g.complain("stepSize", "present");
        s.gradient = FormGradient{
            .colour = s.backColor,
            .steps = g.number("steps", 0, 1, 32767, "a whole number from 1 to 32767"),
            .stepSize = static_cast<std::int16_t>(
                g.number("stepSize", 0, -32768, 32767, "a whole number from -32768 to 32767")),
        };
    }
    if (const Json* items = f.value("dragItems")) {
        if (!items->is_array()) f.complain("dragItems", "an array of item names");
        for (const Json& item : *items) {
            if (!item.is_string()) f.complain("dragItems", "an array of item names");
            s.dragItems.push_back(item.get<std::string>());
        }
    }
    s.frameShape = f.string("frameShape");
    return s;
}

// The form's references to its items name items of the kinds they need.
void checkReferences(const FormDescription& d) {
    auto named = [&](const std::string& name) -> const ControlDescription* {
        for (const ControlDescription& c : d.controls)
            if (c.displayName() == name) return &c;
        return nullptr;
    };
    for (const std::string& name : d.form.dragItems) {
        const ControlDescription* item = named(name);
        if (!item || (item->kind != ControlKind::Label && item->kind != ControlKind::Image))
            fail(d.source, "form: \"dragItems\" must name labels and images of the layout, not \"" + name + "\"");
    }
    if (!d.form.frameShape.empty()) {
        const ControlDescription* shape = named(d.form.frameShape);
        if (!shape || shape->kind != ControlKind::Shape)
            fail(d.source, "form: \"frameShape\" must name a shape of the layout, not \"" + d.form.frameShape + "\"");
    }
}

ControlDescription controlOf(const Json& entry, std::size_t position, const FormSettings& form,
                             std::string_view source) {
    ControlDescription c;
    // Named by its place until its name is known.
    const std::string place = "controls[" + std::to_string(position) + "]";
    {
        const Reader first(entry, source, place);
        c.name = first.string("name");
        if (c.name.empty()) first.complain("name", "a non-empty string");
        c.index = first.number("index", -1, 0, 32767, "a whole number from 0 to 32767");
    }
    const Reader r(entry, source, c.displayName(), kControlKeys);
    if (!r.value("kind")) r.complain("kind", "present");
    c.kind = r.choice("kind", kKinds, c.kind);
    c.order = r.required("order");
    c.tabIndex = r.number("tabIndex", -1);
    c.tabStop = r.boolean("tabStop", true);
    c.visible = r.boolean("visible", true);
    c.enabled = r.boolean("enabled", true);
    if (c.kind == ControlKind::Line) {
        c.x1 = r.required("x1");
        c.y1 = r.required("y1");
        c.x2 = r.required("x2");
        c.y2 = r.required("y2");
    } else {
        c.left = r.required("left");
        c.top = r.required("top");
        c.width = r.length("width");
        c.height = r.length("height");
    }
    c.text = r.string("text");
    c.font = r.font("font", form.font);
    const bool label = c.kind == ControlKind::Label;
    c.foreColor = r.colour("foreColor", label ? kSystemButtonText : kSystemWindowText);
    c.backColor = r.colour("backColor", label                               ? form.backColor
                                        : c.kind == ControlKind::PictureBox ? kSystemButtonFace
                                                                            : kSystemWindow);
    c.dropDownList = r.choice("style", kDropDownList, false);
    c.sorted = r.boolean("sorted", false);
    c.opaque = r.choice("backStyle", kOpaque, true);
    c.autoSize = r.boolean("autoSize", false);
    c.wordWrap = r.boolean("wordWrap", false);
    c.alignment = r.choice("alignment", kAlignments, TextAlignment::Left);
    c.borderColor = r.colour("borderColor", 0);
    c.borderWidth = r.number("borderWidth", 1, 0, std::numeric_limits<int>::max(), "a whole number, 0 or more");
    c.sunkenEdge = r.choice("edge", kSunken, false);
    c.picture = r.string("picture");
    c.stretch = r.boolean("stretch", false);
    c.properties = r.properties("properties");
    return c;
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without the library's tag.
// The library's message without its "[json.exception...]" tag.
std::string exceptionText(const Json::exception& error) {
    const std::string what = error.what();
    const auto tagEnd = what.find("] ");
    return tagEnd == std::string::npos ? what : what.substr(tagEnd + 2);
}

std::string parseErrorText(const Json::parse_error& error) { return exceptionText(error); }

// The member the parser is in, followed through its events: "controls[3].left", "form.font.size".
class JsonPath {
public:
    void see(Json::parse_event_t event, const Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start: m_frames.push_back({false, {}, 0}); break;
            case Json::parse_event_t::array_start: m_frames.push_back({true, {}, 0}); break;
            case Json::parse_event_t::key:
                if (!m_frames.empty() && parsed.is_string()) m_frames.back().key = parsed.get<std::string>();
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                if (!m_frames.empty()) m_frames.pop_back();
                valueDone();
                break;
            case Json::parse_event_t::value: valueDone(); break;
        }
    }

    std::string text() const {
        std::string out;
        for (const Frame& f : m_frames) {
            if (f.array)
                out += "[" + std::to_string(f.index) + "]";
            else if (!f.key.empty())
                out += (out.empty() ? "" : ".") + f.key;
        }
        return out.empty() ? "the layout" : out;
    }

private:
    struct Frame {
        bool array;
        std::string key;
        std::size_t index;
    };
    void valueDone() {
        if (!m_frames.empty() && m_frames.back().array) ++m_frames.back().index;
    }
    std::vector<Frame> m_frames;
};

}  // namespace

bool ControlDescription::hasWindow() const {
    switch (kind) {
        case ControlKind::TulmXpButton:
        case ControlKind::PictureBox:
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::ListBox:
            return true;
        case ControlKind::Label:
        case ControlKind::Line:
        case ControlKind::Shape:
        case ControlKind::Image:
            break;
    }
    return false;
}

std::string ControlDescription::displayName() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

FormDescription FormDescription::parse(std::string_view json, std::string_view source) {
    Json root;
    // Where the parser is, so that a value it cannot take (a number beyond what it holds) is named
    // by its item and member as every other fault of a layout is.
    JsonPath path;
    try {
        root = Json::parse(json.begin(), json.end(), [&](int, Json::parse_event_t event, Json& parsed) {
            path.see(event, parsed);
            return true;
        });
    } catch (const Json::parse_error& error) {
        fail(source, parseErrorText(error));
    } catch (const Json::exception& error) {
        fail(source, path.text() + ": " + exceptionText(error));
    }
    const Reader top(root, source, "the layout", kRootKeys);

    FormDescription d;
    d.source = std::string(source);
    const Json* form = top.value("form");
    if (!form) top.complain("form", "present");
    d.form = settingsOf(Reader(*form, source, "form", kFormKeys), source);

    if (const Json* controls = top.value("controls")) {
        if (!controls->is_array()) top.complain("controls", "an array");
        std::set<std::pair<std::string, int>> names;
        for (std::size_t i = 0; i < controls->size(); ++i) {
            ControlDescription c = controlOf((*controls)[i], i, d.form, source);
            if (!names.emplace(c.name, c.index).second) fail(source, c.displayName() + ": named twice");
            d.controls.push_back(std::move(c));
        }
    }
    std::stable_sort(d.controls.begin(), d.controls.end(),
                     [](const ControlDescription& a, const ControlDescription& b) { return a.order < b.order; });
    checkReferences(d);
    return d;
}

FormDescription FormDescription::embedded(std::string_view name) {
    for (const LayoutText& text : layoutTexts())
        if (text.name == name) return parse(text.json, name);
    fail(name, "no such layout is built in");
}

const ControlDescription* FormDescription::find(std::string_view name, int index) const {
    for (const ControlDescription& c : controls)
        if (c.name == name && c.index == index) return &c;
    return nullptr;
}

std::vector<const ControlDescription*> FormDescription::tabStops() const {
    std::vector<const ControlDescription*> stops;
    for (const ControlDescription& c : controls)
        if (c.hasWindow() && c.tabStop && c.tabIndex >= 0) stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(), [](const ControlDescription* a, const ControlDescription* b) {
        return a->tabIndex < b->tabIndex;
    });
    return stops;
}

}  // namespace quorvane
