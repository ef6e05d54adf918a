#pragma once

class QWindow;

namespace mewt {

// Asks the window manager to show a managed window on every virtual desktop (Qt has no flag for
// it). Off X11 it does nothing: Wayland compositors decide this themselves.
void showOnAllDesktops(QWindow& window);

} // namespace mewt
