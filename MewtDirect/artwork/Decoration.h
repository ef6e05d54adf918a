#pragma once

class QWidget;

namespace mewt {

// Pictures that only illustrate (the tour's demos, a bell or a dot beside a text that says it)
// stay out of the screen reader's way: their accessible node is marked invisible, so readers skip
// them and their parts. Mark a widget before it shows or gets a text: a node made before stays.
void markAsDecoration(QWidget* widget);

} // namespace mewt
