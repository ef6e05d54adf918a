#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
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

// A window that lives at the top of the screen the way a top bar does, as a panel in the EWMH
// sense, and the other panels it shares the screen with. Off X11 it does nothing and knows of no
// window manager.
class X11Dock final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11Dock)

public:
    explicit X11Dock(QObject* parent = nullptr);
    ~X11Dock() override;

    // Whether a window manager that follows the EWMH runs now: the root names a check window
    // that names itself.
    static bool windowManagerRuns();
    // Whether `window` is mapped and shows, and, when `managed`, a window manager has taken it
    // (ICCCM's WM_STATE): a manager that is still starting may drop a map request.
    static bool isShown(const QWindow& window, bool managed);

    // Marks a created, still unmapped window as a dock on every desktop, out of taskbars and
    // pagers.
    void markAsDock(QWindow& window);
    // Reserves `strip` (logical, global) along the top of the window's screen; an empty strip
    // releases it.
    void reserveTopStrip(QWindow& window, const QRect& strip);
    // The part of `screen` (logical) that the other clients' struts leave, `self`'s own not
    // counted: a panel placed by the work area alone would push itself down by its own strip.
    // Nor does a panel count whose top strip, less its own height, starts at or below
    // `ownBottom` (logical, where our strip ends): it went below us, and going below it in turn
    // would never end.
    // From then on `othersChanged` reports a client that comes or goes or changes its strut.
    QRect areaLeftByOthers(const QScreen& screen, const QWindow& self, int ownBottom);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    // Another panel may have come, gone or changed its strip; the work area may stay the same
    // meanwhile, since our own strip can be the deepest.
    void othersChanged();
    // A window manager came, went or was replaced: the root's check window changed.
    void windowManagerChanged();

private:
    QList<uint32_t> watchedWindows;
};

} // namespace mewt
