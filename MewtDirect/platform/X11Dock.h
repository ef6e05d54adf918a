#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

class QScreen;
class QWindow;

namespace mewt {

// A window's reserved screen edges in the root window's pixels, as _NET_WM_STRUT_PARTIAL lists
// them: left, right, top, bottom, then the start and end (inclusive) along each edge in that order.
using X11Strut = std::array<uint32_t, 12>;

// What `screen` (native pixels) keeps once every strut is taken off its edges; a strut counts on
// the screens its range touches, as window managers count it.
QRect areaLeftByStruts(const QRect& screen, QSize root, const QList<X11Strut>& struts);

// The top strip `strip` (native pixels, its top at the screen's top) as a strut.
X11Strut topStripStrut(const QRect& strip);

// Panels in the EWMH sense, for a window that lives at the top of the screen like a top bar does.
// Everything below does nothing (or answers "no manager") off X11.

// Whether a window manager that follows the EWMH runs now: the root names a check window that
// names itself.
bool hasWindowManager();
// Marks a created, still unmapped window as a dock on every desktop, out of taskbars and pagers.
void markAsDock(QWindow& window);
// Reserves `strip` (logical, global) along the top of the window's screen; an empty strip
// releases it.
void reserveTopStrip(QWindow& window, const QRect& strip);
// The part of `screen` (logical) that the other clients' struts leave, `self`'s own not counted:
// a panel placed by the work area alone would push itself down by its own strip.
QRect areaLeftByOtherPanels(const QScreen& screen, const QWindow& self);

} // namespace mewt
