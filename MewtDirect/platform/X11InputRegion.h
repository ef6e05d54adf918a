#pragma once

class QRect;
class QRegion;
class QWindow;

namespace mewt {

// Lets pointer input reach `window` only within `area` (window coordinates in Qt's units): presses
// elsewhere on it fall through to whatever lies beneath, as on a window that is not there. A null
// area gives the whole window back. Qt shapes only what a window shows; this shapes what it takes.
// Off X11 it does nothing.
void setInputRegion(QWindow& window, const QRect& area);
// The same for artwork of any shape; an empty region takes no input at all.
void setInputRegion(QWindow& window, const QRegion& area);

} // namespace mewt
