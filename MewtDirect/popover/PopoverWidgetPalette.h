#pragma once

#include "model/CatTheme.h"

#include <QPalette>

namespace mewt {

// The popover's colours as a widget palette, for what the style draws rather than our own paint
// code: fields, text selection, the menu and its submenus. Highlight is the accent, with black or
// white on it, whichever reads better.
QPalette popoverWidgetPalette(const CatPopoverPalette& colors);

} // namespace mewt
