#pragma once

namespace mewt {

// Chooses the X11 platform plugin unless the user picked one (Wayland sessions then run under
// XWayland, which gives us absolute placement and global pointer tracking), and reports whether a
// display can be reached at all, since Qt aborts the process when it cannot.
void preferX11Platform();
bool displayReachable();

} // namespace mewt
