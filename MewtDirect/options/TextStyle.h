#pragma once

#include <QFont>

namespace mewt {

// The named text sizes of the options window, the pages and the tour, in pixels, so a layout sized
// in pixels keeps its text whatever the desktop's dots per inch.
enum class TextStyle { body, callout, subheadline, caption, headline, title3, title2 };

QFont textStyleFont(TextStyle style);

} // namespace mewt
