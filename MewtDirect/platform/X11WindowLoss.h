#pragma once

#include <functional>

class QWidget;

namespace mewt {

// Another X client may destroy one of our windows (`xdotool windowclose`). Qt keeps its window
// object as if nothing happened, so nothing would ever show in it again. Calls `lost`, queued on
// the GUI thread, each time the native window behind `widget` is destroyed by anyone but Qt; the
// watch ends with the widget. Off X11 it does nothing.
void watchForeignDestroy(QWidget& widget, std::function<void()> lost);

} // namespace mewt
