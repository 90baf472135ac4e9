#pragma once

#include <QAccessibleWidget>

namespace quorvane {

class TulmXpButton;

// TulmXpButton as assistive technology reads it, the way Qt's own push button answers: role push
// button; the name is the caption without its "&" (an accessible name set on the widget wins);
// the shortcut is Alt + the access key; states focusable, focused, unavailable while disabled and
// pressed while a mouse button or Space or Enter holds it down; one action, "Press", that clicks it
// as its access key does. The click is queued: the request returns before whatever the click opens.
class XpButtonAccessible final : public QAccessibleWidget {
public:
    explicit XpButtonAccessible(TulmXpButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TulmXpButton* button() const;
};

}  // namespace quorvane
