#pragma once

#include <QList>

class QWidget;

namespace mewt {

// The controls under `root` that Tab reaches now (shown, enabled, taking Tab focus), in reading
// order: line by line from the top, and along each line in the reading direction. A control whose
// middle lies beside a taller one (the toolbar beside the time) shares its line.
QList<QWidget*> readingOrder(const QWidget& root);

// Moves the keyboard to the next (or previous) control of `root` in reading order, round from the
// last to the first; false when there is none.
bool focusInReadingOrder(QWidget& root, bool next);

} // namespace mewt
