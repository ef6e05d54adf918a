#pragma once

#include <QList>
#include <QMetaObject>
#include <QPainterPath>
#include <QRegion>
#include <functional>

class QObject;

namespace mewt {

// Whether translucent windows really blend with what is behind them. On X11 that needs a
// compositing manager; without one a translucent window shows black where it paints nothing, so
// our floating artwork shapes its window to what it draws instead. Other platforms always blend.
bool windowsAreComposited();
// Runs `then` whenever a compositing manager comes or goes (at login it may start after us), for
// as long as `context` lives: a window that shows then changes its shape and look at once.
QMetaObject::Connection whenCompositingChanges(QObject* context, std::function<void()> then);

// The shape of a window that cannot blend, for artwork that fills `shapes` (window coordinates):
// the pixels within `area` whose centre lies inside one of them, so exactly the pixels the
// painting covers at least half. A pixel painted fainter would show mostly black.
QRegion unblendedWindowShape(const QList<QPainterPath>& shapes, const QRect& area);

} // namespace mewt
