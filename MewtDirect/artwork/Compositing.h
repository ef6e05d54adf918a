#pragma once

namespace mewt {

// Whether translucent windows really blend with what is behind them. On X11 that needs a
// compositing manager; without one a translucent window shows black where it paints nothing, so
// our floating artwork shapes its window to what it draws instead. Other platforms always blend.
bool windowsAreComposited();

} // namespace mewt
