#include "windows/FormLayout.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "windows/PictureBox.h"
#include "windows/ScreenTwips.h"
#include "xpbutton/PropertyBag.h"
#include "xpbutton/StdFont.h"
#include "xpbutton/TulmXpButton.h"

namespace quorvane {

namespace {

using Kind = FormLayout::Kind;
using Control = FormLayout::Control;

// The system colours a layout may name, with the index a stored colour reference carries.
struct SystemColour {
    const char* name;
    QPalette::ColorRole role;
    std::uint32_t index;
};
constexpr SystemColour kSystemColours[] = {
    {"window", QPalette::Base, 5},
    {"windowText", QPalette::Text, 8},
    {"buttonFace", QPalette::Button, 15},
    {"buttonText", QPalette::ButtonText, 18},
};
constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

struct KindName {
    const char* name;
    Kind kind;
};
constexpr KindName kKinds[] = {
    {"TulmXpButton", Kind::TulmXpButton},
    {"PictureBox", Kind::PictureBox},
    {"TextBox", Kind::TextBox},
    {"ComboBox", Kind::ComboBox},
    {"ListBox", Kind::ListBox},
    {"Label", Kind::Label},
    {"Line", Kind::Line},
    {"Shape", Kind::Shape},
    {"Image", Kind::Image},
};

[[noreturn]] void fail(const QString& resource, const QString& what) {
    throw std::runtime_error(QStringLiteral("layout %1: %2").arg(resource, what).toStdString());
}

// Reads the values of one object, naming the object in every complaint.
class Reader {
public:
    Reader(const QJsonObject& object, QString resource, QString where)
        : m_object(object), m_resource(std::move(resource)), m_where(std::move(where)) {}

    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }
    QJsonValue value(const char* key) const { return m_object.value(QLatin1String(key)); }

    QString string(const char* key, const QString& fallback = {}) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        if (!v.isString()) complain(key, "a string");
        return v.toString();
    }
    int number(const char* key, int fallback = 0) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        if (!v.isDouble()) complain(key, "a number");
        return v.toInt();
    }
    int required(const char* key) const {
        if (!has(key)) complain(key, "present");
        return number(key);
    }
    bool boolean(const char* key, bool fallback) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        if (!v.isBool()) complain(key, "true or false");
        return v.toBool();
    }
    // A colour as [r, g, b] or a system colour's name, resolved through `palette`.
    QColor colour(const char* key, const QColor& fallback, const QPalette& palette) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        if (v.isString()) {
            for (const SystemColour& c : kSystemColours)
                if (v.toString() == QLatin1String(c.name)) return palette.color(c.role);
        } else if (const auto rgb = v.toArray(); v.isArray() && rgb.size() == 3) {
            return QColor(rgb[0].toInt(), rgb[1].toInt(), rgb[2].toInt());
        }
        complain(key, "[r, g, b] or a system colour name");
    }
    StdFont font(const char* key, const StdFont& fallback) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        if (!v.isObject()) complain(key, "a font object");
        return fontOf(v.toObject());
    }
    template <class T, std::size_t N>
    T choice(const char* key, const std::pair<const char*, T> (&choices)[N], T fallback) const {
        const QJsonValue v = value(key);
        if (v.isUndefined()) return fallback;
        for (const auto& [name, result] : choices)
            if (v.toString() == QLatin1String(name)) return result;
        complain(key, "one of the known choices");
    }

    static StdFont fontOf(const QJsonObject& o) {
        StdFont f;
        f.name = o.value(QLatin1String("name")).toString(QString::fromStdString(f.name)).toStdString();
        f.size = o.value(QLatin1String("size")).toDouble(f.size);
        f.weight = static_cast<std::int16_t>(o.value(QLatin1String("weight")).toInt(f.weight));
        f.italic = o.value(QLatin1String("italic")).toBool(f.italic);
        f.underline = o.value(QLatin1String("underline")).toBool(f.underline);
        f.strikethrough = o.value(QLatin1String("strikethrough")).toBool(f.strikethrough);
        f.charset = static_cast<std::int16_t>(o.value(QLatin1String("charset")).toInt(f.charset));
        return f;
    }

    [[noreturn]] void complain(const char* key, const char* expected) const {
        fail(m_resource,
             QStringLiteral("%1: \"%2\" must be %3").arg(m_where, QLatin1String(key), QLatin1String(expected)));
    }

private:
    QJsonObject m_object;
    QString m_resource;
    QString m_where;
};

QFont qtFontOf(const StdFont& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 8.25);
    f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    return f;
}

// A button's stored property bag: booleans as -1/0, colours as 0x00BBGGRR, fonts as fonts.
// A colour as stored: [r, g, b] as 0x00BBGGRR, a system colour's name as its reference; else none.
std::optional<std::uint32_t> storedColourOf(const QJsonValue& v) {
    if (v.isArray() && v.toArray().size() == 3) {
        const QJsonArray rgb = v.toArray();
        return static_cast<std::uint32_t>(rgb[0].toInt() & 0xFF) |
               static_cast<std::uint32_t>(rgb[1].toInt() & 0xFF) << 8 |
               static_cast<std::uint32_t>(rgb[2].toInt() & 0xFF) << 16;
    }
    for (const SystemColour& c : kSystemColours)
        if (v.isString() && v.toString() == QLatin1String(c.name)) return kSystemColourFlag | c.index;
    return std::nullopt;
}

// A button's stored property bag: booleans as -1/0, colours as 0x00BBGGRR, fonts as fonts.
PropertyBag bagOf(const QJsonObject& properties, const Reader& where) {
    PropertyBag bag;
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        const std::string key = it.key().toStdString();
        const QJsonValue v = it.value();
        const bool colourKey = key.find("color") != std::string::npos || key.find("hover") != std::string::npos;
        if (v.isBool()) {
            bag.write(key, PropertyBag::boolean(v.toBool()));
        } else if (v.isDouble()) {
            bag.write(key, static_cast<std::uint32_t>(static_cast<std::int64_t>(v.toDouble())));
        } else if (const auto colour = storedColourOf(v); colour && (colourKey || v.isArray())) {
            bag.write(key, *colour);
        } else if (v.isString()) {
            bag.write(key, v.toString().toStdString());
        } else if (v.isObject()) {
            bag.write(key, Reader::fontOf(v.toObject()));
        } else {
            where.complain("properties", "an object of booleans, numbers, strings, colours and fonts");
        }
    }
    return bag;
}

QImage pictureOf(const QString& path, const QString& resource, const QString& where) {
    if (path.isEmpty()) return {};
    QImage picture(path);
    if (picture.isNull()) fail(resource, QStringLiteral("%1: picture \"%2\" cannot be read").arg(where, path));
    return picture;
}

void setColours(QWidget* w, const QColor& back, const QColor& fore) {
    QPalette p = w->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) p.setColor(role, back);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        p.setColor(role, fore);
    w->setPalette(p);
}

// A line of `width` pixels from `from` to `to`, the end point left out as the system draws lines.
void paintLine(QPainter& painter, const QLine& line, const QColor& colour, int width) {
    const int half = width / 2;
    if (line.dy() == 0) {
        const int left = std::min(line.x1(), line.x2());
        painter.fillRect(QRect(left, line.y1() - half, std::abs(line.dx()), width), colour);
    } else if (line.dx() == 0) {
        const int top = std::min(line.y1(), line.y2());
        painter.fillRect(QRect(line.x1() - half, top, width, std::abs(line.dy())), colour);
    } else {
        QPen pen(colour, width);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(line);
    }
}

// A rectangle's border of `width` pixels, inside its bounds.
void paintFrame(QPainter& painter, const QRect& r, const QColor& colour, int width) {
    const int w = std::min({width, (r.width() + 1) / 2, (r.height() + 1) / 2});
    if (w <= 0) return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
    painter.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), colour);
    painter.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), colour);
}

int labelFlags(const Control& label) {
    return static_cast<int>(label.alignment) | Qt::AlignTop | Qt::TextShowMnemonic |
           (label.wordWrap ? Qt::TextWordWrap : 0);
}

}  // namespace

FormLayout::FormLayout(QWidget& form, const QString& resource, KeyInjector& keys) : m_form(form) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) fail(resource, QStringLiteral("cannot be opened"));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull()) fail(resource, error.errorString());
    const QJsonObject root = doc.object();
    const QPalette palette = QApplication::palette();
    auto px = [&form](int value) { return twips(value, &form); };

    // Window settings.
    const Reader f(root.value(QLatin1String("form")).toObject(), resource, QStringLiteral("form"));
    m_settings.name = f.string("name");
    m_settings.caption = f.string("caption");
    m_settings.designedSize = QSize(px(f.required("width")), px(f.required("height")));
    const StdFont formFont = f.font("font", StdFont{});
    const QColor formBack = f.colour("backColor", palette.color(QPalette::Button), palette);
    const std::uint32_t formFore = storedColourOf(f.value("foreColor")).value_or(kSystemColourFlag | 18);
    enum class Border { None, FixedDialog, Sizable };
    const Border border = f.choice<Border>(
        "border", {{"none", Border::None}, {"fixedDialog", Border::FixedDialog}, {"sizable", Border::Sizable}},
        Border::Sizable);
    enum class Position { Default, Centre, Manual };
    const Position position = f.choice<Position>(
        "position", {{"default", Position::Default}, {"centerScreen", Position::Centre}, {"manual", Position::Manual}},
        Position::Default);
    m_settings.centred = position == Position::Centre;
    if (position == Position::Manual)
        m_settings.storedPosition = QRect(px(f.number("left")), px(f.number("top")), 0, 0);

    form.setObjectName(m_settings.name);
    form.setWindowTitle(m_settings.caption);
    switch (border) {
        case Border::None:
            form.setWindowFlag(Qt::FramelessWindowHint, true);
            break;
        case Border::FixedDialog:
            form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
            break;
        case Border::Sizable:
            break;
    }
    if (!f.boolean("showInTaskbar", true) && !form.parentWidget()) form.setWindowFlag(Qt::Tool, true);
    if (const QString icon = f.string("icon"); !icon.isEmpty())
        form.setWindowIcon(QIcon(QPixmap::fromImage(pictureOf(icon, resource, QStringLiteral("form")))));
    QPalette formPalette = form.palette();
    formPalette.setColor(QPalette::Window, formBack);
    form.setPalette(formPalette);
    form.setAutoFillBackground(true);
    form.setFont(qtFontOf(formFont));
    form.resize(m_settings.designedSize);
    if (border == Border::FixedDialog) form.setFixedSize(m_settings.designedSize);

    // Controls, front to back.
    const QJsonArray list = root.value(QLatin1String("controls")).toArray();
    std::vector<std::pair<std::unique_ptr<Control>, QJsonObject>> parsed;
    for (const QJsonValue& entry : list) {
        const QJsonObject o = entry.toObject();
        auto c = std::make_unique<Control>();
        c->name = o.value(QLatin1String("name")).toString();
        c->index = o.value(QLatin1String("index")).toInt(-1);
        const QString where = c->index < 0 ? c->name : QStringLiteral("%1(%2)").arg(c->name).arg(c->index);
        const Reader r(o, resource, where);
        if (c->name.isEmpty()) r.complain("name", "a non-empty string");
        const QString kind = r.string("kind");
        const auto known = std::find_if(std::begin(kKinds), std::end(kKinds),
                                        [&](const KindName& k) { return kind == QLatin1String(k.name); });
        if (known == std::end(kKinds)) r.complain("kind", "a known kind of control");
        c->kind = known->kind;
        c->order = r.required("order");
        c->tabIndex = r.number("tabIndex", -1);
        c->visible = r.boolean("visible", true);
        if (c->kind == Kind::Line) {
            c->line = QLine(px(r.required("x1")), px(r.required("y1")), px(r.required("x2")), px(r.required("y2")));
            c->rect = QRect(c->line.p1(), c->line.p2()).normalized();
        } else {
            c->rect =
                QRect(px(r.required("left")), px(r.required("top")), px(r.required("width")), px(r.required("height")));
        }
        parsed.emplace_back(std::move(c), o);
    }
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const auto& a, const auto& b) { return a.first->order < b.first->order; });

    // Back to front, so that each widget made lies above those made before it.
    for (auto it = parsed.rbegin(); it != parsed.rend(); ++it) {
        Control& c = *it->first;
        const QString where = c.index < 0 ? c.name : QStringLiteral("%1(%2)").arg(c.name).arg(c.index);
        const Reader r(it->second, resource, where);
        const StdFont font = r.font("font", formFont);
        const QColor back =
            r.colour("backColor", c.kind == Kind::Label ? formBack : palette.color(QPalette::Base), palette);
        const QColor fore = r.colour(
            "foreColor", palette.color(c.kind == Kind::Label ? QPalette::ButtonText : QPalette::Text), palette);
        QWidget* w = nullptr;
        switch (c.kind) {
            case Kind::TulmXpButton: {
                auto* button = new TulmXpButton(keys, &form);
                const Ambient ambient{formFont, formFore, where.toStdString()};
                button->ReadProperties(bagOf(r.value("properties").toObject(), r), ambient);
                w = button;
                break;
            }
            case Kind::PictureBox: {
                auto* box = new PictureBox(&form);
                box->setGeometry(c.rect);
                box->setBackColor(r.colour("backColor", palette.color(QPalette::Button), palette));
                QPalette p = box->palette();
                p.setColor(QPalette::WindowText, fore);
                box->setPalette(p);
                box->setSunkenEdge(r.choice<bool>("edge", {{"none", false}, {"sunken", true}}, false));
                c.picture = pictureOf(r.string("picture"), resource, where);
                if (!c.picture.isNull()) {
                    const int edge = box->edgeWidth();
                    if (r.boolean("autoSize", false)) c.rect.setSize(c.picture.size() + QSize(2 * edge, 2 * edge));
                    box->setGeometry(c.rect);
                    box->drawImage(c.picture, 0, 0);
                }
                w = box;
                break;
            }
            case Kind::TextBox: {
                auto* text = new QLineEdit(r.string("text"), &form);
                text->setFont(qtFontOf(font));
                text->setCursorPosition(0);
                setColours(text, back, fore);
                w = text;
                break;
            }
            case Kind::ComboBox: {
                auto* combo = new QComboBox(&form);
                combo->setEditable(r.string("style", QStringLiteral("dropDownCombo")) != QLatin1String("dropDownList"));
                combo->setFont(qtFontOf(font));
                setColours(combo, back, fore);
                w = combo;
                break;
            }
            case Kind::ListBox: {
                auto* listBox = new QListWidget(&form);
                listBox->setSelectionMode(QAbstractItemView::SingleSelection);
                listBox->setSortingEnabled(r.boolean("sorted", false));
                listBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
                listBox->setFont(qtFontOf(font));
                setColours(listBox, back, fore);
                w = listBox;
                break;
            }
            case Kind::Label:
                c.text = r.string("text");
                c.font = qtFontOf(font);
                c.foreColor = fore;
                c.backColor = back;
                c.opaque = r.string("backStyle", QStringLiteral("opaque")) != QLatin1String("transparent");
                c.autoSize = r.boolean("autoSize", false);
                c.wordWrap = r.boolean("wordWrap", false);
                c.alignment = r.choice<Qt::Alignment>(
                    "alignment", {{"left", Qt::AlignLeft}, {"center", Qt::AlignHCenter}, {"right", Qt::AlignRight}},
                    Qt::AlignLeft);
                c.designedSize = c.rect.size();
                sizeToText(c);
                break;
            case Kind::Line:
            case Kind::Shape:
                c.borderColor = r.colour("borderColor", Qt::black, palette);
                c.borderWidth = r.number("borderWidth", 1);
                break;
            case Kind::Image:
                c.picture = pictureOf(r.string("picture"), resource, where);
                c.stretch = r.boolean("stretch", false);
                if (!c.stretch && !c.picture.isNull()) c.rect.setSize(c.picture.size());
                break;
        }
        if (w) {
            c.widget = w;
            w->setObjectName(where);
            w->setGeometry(c.rect);
            // A control with a window of its own keeps the mouse: the window under it never sees the move.
            w->setAttribute(Qt::WA_NoMousePropagation);
            if (!r.boolean("enabled", true) && c.kind != Kind::TulmXpButton) w->setEnabled(false);
            if (!r.boolean("tabStop", true))
                w->setFocusPolicy(w->focusPolicy() & Qt::ClickFocus ? Qt::ClickFocus : Qt::NoFocus);
            if (!c.visible) w->setVisible(false);
        }
    }
    for (auto& [control, object] : parsed) m_controls.push_back(std::move(control));

    const std::vector<QWidget*> order = tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

FormLayout::~FormLayout() = default;

const FormLayout::Control* FormLayout::find(QStringView name, int index) const {
    for (const auto& c : m_controls)
        if (c->name == name && c->index == index) return c.get();
    return nullptr;
}

FormLayout::Control* FormLayout::findMutable(QStringView name, int index) {
    return const_cast<Control*>(find(name, index));
}

QWidget* FormLayout::widget(QStringView name, int index) const {
    const Control* c = find(name, index);
    return c ? c->widget : nullptr;
}

std::vector<QWidget*> FormLayout::tabOrder() const {
    std::vector<const Control*> stops;
    for (const auto& c : m_controls)
        if (c->widget && c->tabIndex >= 0 && (c->widget->focusPolicy() & Qt::TabFocus)) stops.push_back(c.get());
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    std::vector<QWidget*> result;
    for (const Control* c : stops) result.push_back(c->widget);
    return result;
}

void FormLayout::setText(QStringView name, int index, const QString& text) {
    Control* c = findMutable(name, index);
    if (!c || c->widget) return;
    const QRect before = c->rect;
    c->text = text;
    sizeToText(*c);
    repaint(before | c->rect);
}

void FormLayout::setVisible(QStringView name, int index, bool visible) {
    Control* c = findMutable(name, index);
    if (!c) return;
    c->visible = visible;
    if (c->widget)
        c->widget->setVisible(visible);
    else
        repaint(c->rect);
}

void FormLayout::placeWindow() const {
    if (m_settings.centred) {
        const QScreen* screen = m_form.screen() ? m_form.screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        const QRect area = screen->availableGeometry();
        m_form.move(area.x() + (area.width() - m_form.width()) / 2, area.y() + (area.height() - m_form.height()) / 2);
    } else if (m_settings.storedPosition) {
        // The stored position is the inner area's corner.
        m_form.setGeometry(QRect(m_settings.storedPosition->topLeft(), m_form.size()));
    }
}

void FormLayout::focusFirst() const {
    for (QWidget* w : tabOrder()) {
        if (w->isEnabled() && !w->isHidden()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void FormLayout::sizeToText(Control& label) const {
    if (!label.autoSize) return;
    const QFontMetrics metrics(label.font);
    const int width = label.wordWrap ? label.designedSize.width() : 0;
    const QRect text = metrics.boundingRect(QRect(0, 0, width, 1 << 20), labelFlags(label), label.text);
    // Wrapping keeps the box's width (a word longer than it widens it); one line takes the text's.
    label.rect.setSize(QSize(label.wordWrap ? std::max(width, text.width()) : text.width(),
                             std::max(text.height(), metrics.height())));
}

void FormLayout::repaint(const QRect& area) const { m_form.update(area); }

void FormLayout::paintItems(QPainter& painter) const {
    painter.save();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        const Control& c = **it;
        if (c.widget || !c.visible) continue;
        switch (c.kind) {
            case Kind::Label:
                if (c.opaque) painter.fillRect(c.rect, c.backColor);
                painter.setFont(c.font);
                painter.setPen(c.foreColor);
                painter.drawText(c.rect, labelFlags(c), c.text);
                break;
            case Kind::Line:
                paintLine(painter, c.line, c.borderColor, c.borderWidth);
                break;
            case Kind::Shape:
                paintFrame(painter, c.rect, c.borderColor, c.borderWidth);
                break;
            case Kind::Image:
                if (c.picture.isNull()) break;
                painter.setRenderHint(QPainter::SmoothPixmapTransform, c.stretch);
                painter.drawImage(c.rect, c.picture);
                break;
            default:
                break;
        }
    }
    painter.restore();
}

const FormLayout::Control* FormLayout::mouseTarget(QPoint pos) const {
    for (const auto& c : m_controls) {
        if (c->widget || !c->visible || c->kind == Kind::Line || c->kind == Kind::Shape) continue;
        if (c->rect.contains(pos)) return c.get();
    }
    return nullptr;
}

}  // namespace quorvane
