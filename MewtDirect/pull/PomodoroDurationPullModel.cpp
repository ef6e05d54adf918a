#include "pull/PomodoroDurationPullModel.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace mewt {

double pomodoroDurationPointsPerUnit(PomodoroDurationKind kind)
{
    return measuresMinutes(kind) ? 2.0 : 20.0;
}

QPointF heldPomodoroDurationPoint(PomodoroDurationKind kind, int maximum, QPointF start, QPointF point)
{
    if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
        return start;
    const double limit = std::max(maximum, 0) * pomodoroDurationPointsPerUnit(kind);
    const QPointF delta = point - start;
    const double distance = std::hypot(delta.x(), delta.y());
    if (distance <= limit)
        return point;
    return start + delta * (limit / distance);
}

int pomodoroDurationValue(PomodoroDurationKind kind, int maximum, double distance)
{
    if (!(distance > 0.0) || maximum <= 0)
        return 0;
    const double units = std::floor(distance / pomodoroDurationPointsPerUnit(kind) + 1e-9);
    return units >= maximum ? maximum : static_cast<int>(units);
}

QString pomodoroDurationValueText(PomodoroDurationKind kind, int value)
{
    if (!measuresMinutes(kind))
        return QCoreApplication::translate("mewt", "every %1").arg(value);
    const int hours = value / 60;
    const int minutes = value % 60;
    if (hours == 0)
        return QStringLiteral("%1m").arg(value);
    return minutes == 0 ? QStringLiteral("%1h").arg(hours) : QStringLiteral("%1h%2m").arg(hours).arg(minutes);
}

PomodoroDurationPullModel::PomodoroDurationPullModel(QObject* parent)
    : QObject(parent)
{
}

void PomodoroDurationPullModel::begin(PomodoroDurationKind kind, QPointF startPoint, int maximum)
{
    currentPhase = Phase::dragging;
    currentKind = kind;
    start = startPoint;
    pull = startPoint;
    currentValue = 0;
    currentMaximum = std::max(maximum, 0);
    Q_EMIT changed();
}

void PomodoroDurationPullModel::move(QPointF pullPoint, int value)
{
    if (!isActive() || (pullPoint == pull && value == currentValue))
        return;
    pull = pullPoint;
    currentValue = value;
    Q_EMIT changed();
}

void PomodoroDurationPullModel::reset()
{
    if (!isActive())
        return;
    currentPhase = Phase::idle;
    currentKind.reset();
    start = {};
    pull = {};
    currentValue = 0;
    currentMaximum = 0;
    Q_EMIT changed();
}

} // namespace mewt
