#include "qt/XpButtonAccessible.h"

#include <QMetaObject>
#include <QPointer>

#include "qt/PathText.h"
#include "qt/TulmXpButton.h"
#include "xpbutton/AccessibleText.h"

namespace quorvane {

XpButtonAccessible::XpButtonAccessible(TulmXpButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

TulmXpButton* XpButtonAccessible::button() const { return static_cast<TulmXpButton*>(widget()); }

QString XpButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name: {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? fromCore(captionName(button()->Caption().toStdString())) : name;
        }
        case QAccessible::Accelerator:
            return fromCore(accessKeyShortcut(button()->AccessKeys().toStdString()));
        default:
            return QAccessibleWidget::text(t);
    }
}

QAccessible::State XpButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->isHeld();
    return state;
}

QStringList XpButtonAccessible::actionNames() const {
    QStringList names;
    if (button()->Enabled()) names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void XpButtonAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) return QAccessibleWidget::doAction(actionName);
    // The click runs from the event loop, after the request has been answered: a click that opens
    // a message box would otherwise hold the caller until the box is closed.
    QPointer<TulmXpButton> target = button();
    QMetaObject::invokeMethod(
        target,
        [target] {
            if (target) target->press();
        },
        Qt::QueuedConnection);
}

QStringList XpButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName != pressAction()) return QAccessibleWidget::keyBindingsForAction(actionName);
    const QString shortcut = text(QAccessible::Accelerator);
    return shortcut.isEmpty() ? QStringList() : QStringList{shortcut};
}

}  // namespace quorvane
