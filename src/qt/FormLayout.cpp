#include "qt/FormLayout.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "qt/PictureBox.h"
#include "qt/ScreenTwips.h"
#include "xpbutton/StdFont.h"
#include "qt/TulmXpButton.h"

namespace quorvane {

namespace {

using Kind = FormLayout::Kind;
using Control = FormLayout::Control;

// The form's property that leads from the window to the layout built on it.
constexpr const char* kLayoutProperty = "quorvaneFormLayout";

// A stored colour as the palette shows it: the system colours through their roles.
QColor colourOf(std::uint32_t stored, const QPalette& palette) {
    switch (stored) {
        case kSystemWindow:
            return palette.color(QPalette::Base);
        case kSystemWindowText:
            return palette.color(QPalette::Text);
        case kSystemButtonFace:
            return palette.color(QPalette::Button);
        case kSystemButtonText:
            return palette.color(QPalette::ButtonText);
        default:
            break;
    }
    if (stored & kSystemColourFlag) return palette.color(QPalette::WindowText);
    return QColor(static_cast<int>(stored & 0xFF), static_cast<int>(stored >> 8 & 0xFF),
                  static_cast<int>(stored >> 16 & 0xFF));
}

Qt::Alignment alignmentOf(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Center:
            return Qt::AlignHCenter;
        case TextAlignment::Right:
            return Qt::AlignRight;
        case TextAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QFont qtFontOf(const StdFont& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPointSizeF(font.size > 0 ? font.size : 8.25);
    f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    return f;
}

QImage pictureOf(const std::string& path, const FormDescription& layout, const std::string& where) {
    if (path.empty()) return {};
    QImage picture(QString::fromStdString(path));
    if (picture.isNull())
        throw LayoutError("layout " + layout.source + ": " + where + ": picture \"" + path + "\" cannot be read");
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

FormLayout::FormLayout(QWidget& form, const FormDescription& layout, KeyInjector& keys) : m_form(form) {
    const QPalette palette = QApplication::palette();
    auto px = [&form](int value) { return twips(value, &form); };
    auto colour = [&palette](std::uint32_t stored) { return colourOf(stored, palette); };

    // Window settings.
    const FormSettings& f = layout.form;
    m_settings.name = QString::fromStdString(f.name);
    m_settings.caption = QString::fromStdString(f.caption);
    m_settings.designedSize = QSize(px(f.width), px(f.height));
    m_settings.centred = f.position == FormPosition::CenterScreen;
    if (f.position == FormPosition::Manual) m_settings.storedPosition = QRect(px(f.left), px(f.top), 0, 0);
    m_settings.gradient = f.gradient;
    m_settings.dragItems = f.dragItems;
    m_settings.frameShape = QString::fromStdString(f.frameShape);

    form.setObjectName(m_settings.name);
    form.setWindowTitle(m_settings.caption);
    switch (f.border) {
        case FormBorder::None:
            form.setWindowFlag(Qt::FramelessWindowHint, true);
            break;
        case FormBorder::FixedDialog:
            form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
            break;
        case FormBorder::Sizable:
            break;
    }
    if (!f.showInTaskbar && !form.parentWidget()) form.setWindowFlag(Qt::Tool, true);
    if (!f.icon.empty()) form.setWindowIcon(QIcon(QPixmap::fromImage(pictureOf(f.icon, layout, "form"))));
    QPalette formPalette = form.palette();
    formPalette.setColor(QPalette::Window, colour(f.backColor));
    form.setPalette(formPalette);
    form.setAutoFillBackground(true);
    form.setFont(qtFontOf(f.font));
    form.resize(m_settings.designedSize);
    if (f.border == FormBorder::FixedDialog) form.setFixedSize(m_settings.designedSize);

    // Controls, front to back as described.
    for (const ControlDescription& d : layout.controls) {
        auto c = std::make_unique<Control>();
        c->name = QString::fromStdString(d.name);
        c->index = d.index;
        c->kind = d.kind;
        c->order = d.order;
        c->tabIndex = d.tabIndex;
        c->visible = d.visible;
        if (d.kind == Kind::Line) {
            c->line = QLine(px(d.x1), px(d.y1), px(d.x2), px(d.y2));
            c->rect = QRect(c->line.p1(), c->line.p2()).normalized();
        } else {
            c->rect = QRect(px(d.left), px(d.top), px(d.width), px(d.height));
        }
        m_controls.push_back(std::move(c));
    }

    // Back to front, so that each widget made lies above those made before it.
    for (std::size_t i = layout.controls.size(); i-- > 0;) {
        const ControlDescription& d = layout.controls[i];
        Control& c = *m_controls[i];
        const std::string where = d.displayName();
        const QColor back = colour(d.backColor);
        const QColor fore = colour(d.foreColor);
        QWidget* w = nullptr;
        switch (c.kind) {
            case Kind::TulmXpButton: {
                auto* button = new TulmXpButton(keys, &form);
                button->ReadProperties(d.properties, Ambient{f.font, f.foreColor, where});
                w = button;
                break;
            }
            case Kind::PictureBox: {
                auto* box = new PictureBox(&form);
                box->setGeometry(c.rect);
                box->setBackColor(back);
                QPalette p = box->palette();
                p.setColor(QPalette::WindowText, fore);
                box->setPalette(p);
                box->setSunkenEdge(d.sunkenEdge);
                c.picture = pictureOf(d.picture, layout, where);
                if (!c.picture.isNull()) {
                    const int edge = box->edgeWidth();
                    if (d.autoSize) c.rect.setSize(c.picture.size() + QSize(2 * edge, 2 * edge));
                    box->setGeometry(c.rect);
                    box->drawImage(c.picture, 0, 0);
                }
                w = box;
                break;
            }
            case Kind::TextBox: {
                auto* text = new QLineEdit(QString::fromStdString(d.text), &form);
                text->setFont(qtFontOf(d.font));
                text->setCursorPosition(0);
                setColours(text, back, fore);
                w = text;
                break;
            }
            case Kind::ComboBox: {
                auto* combo = new QComboBox(&form);
                combo->setEditable(!d.dropDownList);
                combo->setFont(qtFontOf(d.font));
                setColours(combo, back, fore);
                w = combo;
                break;
            }
            case Kind::ListBox: {
                // An unsorted list box is a view over a model its window gives it (rows of one
                // height, laid out without measuring each); a sorted one keeps items of its own.
                QListView* listBox = nullptr;
                if (d.sorted) {
                    auto* items = new QListWidget(&form);
                    items->setSortingEnabled(true);
                    listBox = items;
                } else {
                    listBox = new QListView(&form);
                }
                listBox->setUniformItemSizes(true);
                listBox->setSelectionMode(QAbstractItemView::SingleSelection);
                listBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
                listBox->setFont(qtFontOf(d.font));
                setColours(listBox, back, fore);
                w = listBox;
                break;
            }
            case Kind::Label:
                c.text = QString::fromStdString(d.text);
                c.font = qtFontOf(d.font);
                c.foreColor = fore;
                c.backColor = back;
                c.opaque = d.opaque;
                c.autoSize = d.autoSize;
                c.wordWrap = d.wordWrap;
                c.alignment = alignmentOf(d.alignment);
                c.designedSize = c.rect.size();
                sizeToText(c);
                break;
            case Kind::Line:
            case Kind::Shape:
                c.borderColor = colour(d.borderColor);
                c.borderWidth = d.borderWidth;
                break;
            case Kind::Image:
                c.picture = pictureOf(d.picture, layout, where);
                c.stretch = d.stretch;
                if (!c.stretch && !c.picture.isNull()) c.rect.setSize(c.picture.size());
                break;
        }
        if (w) {
            c.widget = w;
            w->setObjectName(QString::fromStdString(where));
            if (!d.accessibleName.empty()) w->setAccessibleName(QString::fromStdString(d.accessibleName));
            w->setGeometry(c.rect);
            // A control with a window of its own keeps the mouse: the window under it never sees the move.
            w->setAttribute(Qt::WA_NoMousePropagation);
            if (!d.enabled && c.kind != Kind::TulmXpButton) w->setEnabled(false);
            if (!d.tabStop) w->setFocusPolicy(w->focusPolicy() & Qt::ClickFocus ? Qt::ClickFocus : Qt::NoFocus);
            if (!c.visible) w->setVisible(false);
        }
    }

    for (const ControlDescription* stop : layout.tabStops())
        m_tabOrder.push_back(m_controls[static_cast<std::size_t>(stop - layout.controls.data())]->widget);
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i) QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
    form.setProperty(kLayoutProperty, QVariant::fromValue(static_cast<void*>(this)));
}

FormLayout::~FormLayout() { m_form.setProperty(kLayoutProperty, QVariant()); }

const FormLayout* FormLayout::of(const QWidget& form) {
    return static_cast<const FormLayout*>(form.property(kLayoutProperty).value<void*>());
}

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

std::vector<QWidget*> FormLayout::tabOrder() const { return m_tabOrder; }

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

std::vector<SurfaceItem> FormLayout::surfaceItems() const {
    std::vector<SurfaceItem> items;
    for (const auto& c : m_controls) {
        if (c->widget) continue;
        const QRect& r = c->rect;
        std::string name = c->name.toStdString();
        if (c->index >= 0) name += "(" + std::to_string(c->index) + ")";
        items.push_back(SurfaceItem{std::move(name), c->kind, c->visible, r.left(), r.top(), r.left() + r.width(),
                                    r.top() + r.height()});
    }
    return items;
}

const FormLayout::Control* FormLayout::mouseTarget(QPoint pos) const {
    const std::vector<SurfaceItem> items = surfaceItems();
    const SurfaceItem* item = itemUnderPointer(items, pos.x(), pos.y());
    if (!item) return nullptr;
    // The items are the windowless controls in their order.
    std::size_t n = static_cast<std::size_t>(item - items.data());
    for (const auto& c : m_controls) {
        if (c->widget) continue;
        if (n-- == 0) return c.get();
    }
    return nullptr;
}

bool FormLayout::pressDragsWindow(QPoint pos) const {
    return quorvane::pressDragsWindow(m_settings.dragItems, surfaceItems(), pos.x(), pos.y());
}

void FormLayout::sizeToFrameShape() const {
    const Control* shape = m_settings.frameShape.isEmpty() ? nullptr : find(m_settings.frameShape);
    if (!shape) return;
    m_form.resize(m_form.width(), shape->rect.height());
    m_form.resize(shape->rect.width(), m_form.height());
}

}  // namespace quorvane
