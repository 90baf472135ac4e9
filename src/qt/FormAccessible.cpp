#include "qt/FormAccessible.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "qt/FormLayout.h"

namespace quorvane {

namespace {

// One label of a layout, found by its name and index each time it is read: its text may change.
class LabelAccessible final : public QAccessibleInterface {
public:
    LabelAccessible(QWidget* form, QString name, int index) : m_form(form), m_name(std::move(name)), m_index(index) {}

    bool isValid() const override { return label() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_form ? m_form->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override {
        return m_form ? QAccessible::queryAccessibleInterface(m_form.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const FormLayout::Control* c = label();
        return c && t == QAccessible::Name ? c->text : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const FormLayout::Control* c = label();
        if (!c || !m_form) return {};
        return QRect(m_form->mapToGlobal(c->rect.topLeft()), c->rect.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        const FormLayout::Control* c = label();
        if (!c || !c->visible || !m_form || !m_form->isVisible()) state.invisible = true;
        return state;
    }

private:
    const FormLayout::Control* label() const {
        const FormLayout* layout = m_form ? FormLayout::of(*m_form) : nullptr;
        return layout ? layout->find(m_name, m_index) : nullptr;
    }

    QPointer<QWidget> m_form;
    QString m_name;
    int m_index;
};

}  // namespace

FormAccessible::FormAccessible(QWidget* form, QAccessible::Role role) : QAccessibleWidget(form, role) {}

FormAccessible::~FormAccessible() {
    for (QAccessibleInterface* item : m_items) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
}

const std::vector<QAccessibleInterface*>& FormAccessible::items() const {
    if (m_itemsMade) return m_items;
    const FormLayout* layout = FormLayout::of(*widget());
    if (!layout) return m_items;  // asked before the layout was made: try again later
    m_itemsMade = true;
    // In the order the labels are read in, which their tab indexes keep.
    std::vector<const FormLayout::Control*> labels;
    for (const auto& c : layout->controls())
        if (!c->widget && c->kind == FormLayout::Kind::Label) labels.push_back(c.get());
    std::stable_sort(labels.begin(), labels.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (const FormLayout::Control* c : labels) {
        auto* item = new LabelAccessible(widget(), c->name, c->index);
        QAccessible::registerAccessibleInterface(item);  // Qt owns it from here; we delete it by its id
        m_items.push_back(item);
    }
    return m_items;
}

int FormAccessible::childCount() const { return QAccessibleWidget::childCount() + static_cast<int>(items().size()); }

QAccessibleInterface* FormAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const auto item = static_cast<std::size_t>(index - widgets);
    return item < items().size() ? items()[item] : nullptr;
}

int FormAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto& labels = items();
    const auto it = std::find(labels.begin(), labels.end(), child);
    if (it == labels.end()) return QAccessibleWidget::indexOfChild(child);
    return QAccessibleWidget::childCount() + static_cast<int>(it - labels.begin());
}

QAccessibleInterface* FormAccessible::childAt(int x, int y) const {
    // Widgets lie above the surface the labels are drawn on.
    if (QAccessibleInterface* w = QAccessibleWidget::childAt(x, y)) return w;
    for (QAccessibleInterface* item : items())
        if (!item->state().invisible && item->rect().contains(x, y)) return item;
    return nullptr;
}

}  // namespace quorvane
