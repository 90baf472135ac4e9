#include "qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "qt/AboutWindow.h"
#include "qt/FormAccessible.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"
#include "qt/XpButtonAccessible.h"

namespace quorvane {

QAccessibleInterface* accessibleFactory(const QString&, QObject* object) {
    // Qt asks once per class of the object's ancestry, most derived first; the first answer counts.
    if (auto* button = qobject_cast<TulmXpButton*>(object)) return new XpButtonAccessible(button);
    // A picture box shows a picture; the layout names it.
    if (auto* box = qobject_cast<PictureBox*>(object)) return new QAccessibleWidget(box, QAccessible::Graphic);
    // The windows are asked for as soon as they exist, before their layouts are made: they are known
    // by their classes, and their labels are looked up when first read.
    if (auto* list = qobject_cast<ListWindow*>(object)) return new FormAccessible(list, QAccessible::Dialog);
    if (qobject_cast<MainWindow*>(object) || qobject_cast<AboutWindow*>(object))
        return new FormAccessible(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

void installAccessibility() { QAccessible::installFactory(accessibleFactory); }

}  // namespace quorvane
