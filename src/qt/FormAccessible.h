#pragma once

#include <QAccessibleWidget>
#include <vector>

namespace quorvane {

// A window built from a layout (FormLayout) as assistive technology reads it: its title as its
// name, its widgets as children, and after them its labels, which are drawn on the window's surface
// and have no widget of their own, as static text with the text they show. Images, lines and the
// frame are decoration and are left out.
class FormAccessible final : public QAccessibleWidget {
public:
    FormAccessible(QWidget* form, QAccessible::Role role);
    ~FormAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    // The labels' interfaces, made on first use and kept (registered with Qt) while the window lives.
    const std::vector<QAccessibleInterface*>& items() const;

    mutable std::vector<QAccessibleInterface*> m_items;
    mutable bool m_itemsMade = false;
};

}  // namespace quorvane
