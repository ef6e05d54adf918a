#pragma once

#include "platform/ReadOnlyAccessibleText.h"

#include <QAccessible>
#include <QString>

class QWidget;

namespace mewt {

// Our painted controls reach screen readers through one accessible interface that reads what each
// widget declares: its role, a value, and a named action. Buttons get the press action; a widget
// with a named action gets that action, which calls its invokable performAccessibleAction().
// A string value, and a label's text, go out through the text interface, since AT-SPI carries no
// string value: that is where a screen reader reads them. A button reads as one element unless it
// asks for its children to be read (a time button's time and status lines).
void setAccessibleRole(QWidget* widget, QAccessible::Role role);
// Sets the value read out and announces a change to a listening screen reader.
void setPopoverAccessibleValue(QWidget* widget, const QString& value);
// A value that follows a running clock: a query always reads the newest text, but a listening
// screen reader is told at most once a minute, not at every second's tick.
void setPopoverAccessibleTime(QWidget* widget, const QString& value);
// A numeric value from 0 to `maximum` as well (a progress bar's share), for the value interface.
void setPopoverAccessibleNumber(QWidget* widget, double current, double maximum);
void setAccessibleActionName(QWidget* widget, const QString& name);
// A button whose drawn parts are read one by one as its children and, those showing, as its label:
// Orca speaks a button's label, name, role and description, never its children or its text.
void setAccessibleChildrenRead(QWidget* widget, const QList<QWidget*>& labels);

// Installs the factory once per process; every popover view calls it.
void installPopoverAccessibility();

} // namespace mewt
