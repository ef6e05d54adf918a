#pragma once

#include <functional>

class QWidget;

namespace mewt {

// Another X client may destroy one of our windows (`xdotool windowclose`). Qt keeps its window
// object as if nothing happened, so nothing would ever show in it again. Once this runs, every
// top-level widget whose native window is destroyed by anyone but Qt is hidden as by `hide()` (its
// hide event runs: a drag under way ends), lets go of the dead window and keeps its geometry, so
// its next show builds a new one. Off X11 it does nothing.
void recoverLostWindows();

// What else `widget` does once it has been let go of that way (shows again at once, tells its
// owner); runs on the GUI thread, and ends with the widget. Starts the recovery when it does not
// run yet.
void whenWindowLost(QWidget& widget, std::function<void()> then);

} // namespace mewt
