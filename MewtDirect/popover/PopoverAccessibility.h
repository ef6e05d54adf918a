#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

namespace mewt {

// Our painted controls reach screen readers through one accessible interface that reads what each
// widget declares: its role, a value, and a named action. Buttons get the press action; a widget
// with a named action gets that action, which calls its invokable performAccessibleAction().
void setAccessibleRole(QWidget* widget, QAccessible::Role role);
// Sets the value read out and announces a change to a listening screen reader.
void setPopoverAccessibleValue(QWidget* widget, const QString& value);
void setAccessibleActionName(QWidget* widget, const QString& name);

// Installs the factory once per process; every popover view calls it.
void installPopoverAccessibility();

} // namespace mewt
