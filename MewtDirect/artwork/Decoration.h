#pragma once

class QWidget;

namespace mewt {

// Pictures that only illustrate (the tour's demos) stay out of the screen reader's way: their
// accessible node is marked invisible, so readers skip them and their parts.
void markAsDecoration(QWidget* widget);

} // namespace mewt
