#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace quorvane {

// Makes the program's own controls readable by assistive technology: the buttons answer as push
// buttons (XpButtonAccessible), the windows built from a layout show their labels as static text
// (FormAccessible). Call once, after the application object is made and before any window.
void installAccessibility();

// The factory installAccessibility registers with Qt: an interface for our classes, null for others.
QAccessibleInterface* accessibleFactory(const QString& className, QObject* object);

}  // namespace quorvane
