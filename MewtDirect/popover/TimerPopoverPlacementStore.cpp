#include "popover/TimerPopoverPlacementStore.h"

#include "platform/UserDefaults.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <limits>

namespace mewt {

namespace {

const QString leftMember = QStringLiteral("left");
const QString topMember = QStringLiteral("top");

std::optional<double> finiteNumber(const QJsonObject& object, const QString& member)
{
    const QJsonValue value = object.value(member);
    // An out-of-range number parses as infinity.
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return std::nullopt;
    return value.toDouble();
}

double overlapArea(const QRectF& a, const QRectF& b)
{
    const double width = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
    const double height = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    return width > 0 && height > 0 ? width * height : 0.0;
}

double gap(double value, double low, double high)
{
    return value < low ? low - value : std::max(value - high, 0.0);
}

} // namespace

QByteArray SavedPlacement::encoded() const
{
    return QJsonDocument(QJsonObject { { leftMember, left }, { topMember, top } }).toJson(QJsonDocument::Compact);
}

std::optional<SavedPlacement> SavedPlacement::decoded(const QByteArray& data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const std::optional<double> left = finiteNumber(object, leftMember);
    const std::optional<double> top = finiteNumber(object, topMember);
    if (!left || !top)
        return std::nullopt;
    return SavedPlacement { *left, *top };
}

std::optional<QPointF> clampedDetachedOrigin(const QList<QRectF>& visibleFrames, double left, double top, QSizeF size)
{
    if (visibleFrames.isEmpty())
        return std::nullopt;
    const double w = size.width();
    const double h = size.height();
    const QRectF wanted(left, top, w, h);
    qsizetype chosen = 0;
    double bestArea = 0.0;
    for (qsizetype i = 0; i < visibleFrames.size(); ++i) {
        const double area = overlapArea(wanted, visibleFrames[i]);
        if (area > bestArea) {
            bestArea = area;
            chosen = i;
        }
    }
    if (bestArea <= 0.0) {
        // hypot, not a sum of squares: a corner stored absurdly far away must not overflow every
        // distance into a tie.
        double nearest = std::numeric_limits<double>::infinity();
        for (qsizetype i = 0; i < visibleFrames.size(); ++i) {
            const QRectF& frame = visibleFrames[i];
            const double distance
                = std::hypot(gap(left, frame.left(), frame.right()), gap(top, frame.top(), frame.bottom()));
            if (distance < nearest) {
                nearest = distance;
                chosen = i;
            }
        }
    }
    const QRectF& frame = visibleFrames[chosen];
    const double dx = std::min(frame.width() / 2, detachedScreenInset);
    const double dy = std::min(frame.height() / 2, detachedScreenInset);
    const QRectF inner = frame.adjusted(dx, dy, -dx, -dy);
    const double x = std::min(std::max(left, inner.left()), std::max(inner.right() - w, inner.left()));
    // The bottom limit is applied last, so a window taller than the frame keeps its bottom inside.
    const double y = std::max(std::min(top, inner.bottom() - h), std::min(inner.top(), inner.bottom() - h));
    return QPointF(x, y);
}

TimerPopoverPlacementStore::TimerPopoverPlacementStore(
    UserDefaults& defaults, QString detachedKey, QString placementKey)
    : detachedKey(std::move(detachedKey))
    , placementKey(std::move(placementKey))
    , defaults(defaults)
{
}

bool TimerPopoverPlacementStore::isDetached() const
{
    return defaults.boolValue(detachedKey).value_or(false);
}

void TimerPopoverPlacementStore::setDetached(bool detached)
{
    defaults.setBool(detachedKey, detached);
}

std::optional<SavedPlacement> TimerPopoverPlacementStore::placement() const
{
    const std::optional<QByteArray> data = defaults.dataValue(placementKey);
    return data ? SavedPlacement::decoded(*data) : std::nullopt;
}

void TimerPopoverPlacementStore::save(const QRectF& frame)
{
    const SavedPlacement placement { frame.left(), frame.top() };
    if (!std::isfinite(placement.left) || !std::isfinite(placement.top))
        return;
    defaults.setData(placementKey, placement.encoded());
}

void TimerPopoverPlacementStore::removePlacement()
{
    defaults.remove(placementKey);
}

std::optional<QPointF> TimerPopoverPlacementStore::restoredOrigin(const QList<QRectF>& visibleFrames, QSizeF size) const
{
    const std::optional<SavedPlacement> saved = placement();
    if (!saved)
        return std::nullopt;
    return clampedDetachedOrigin(visibleFrames, saved->left, saved->top, size);
}

} // namespace mewt
