#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace mewt {

class UserDefaults;

// Where the detached window stood: its left edge and its top edge, in global coordinates with y
// growing downwards. The top edge, not the origin, so a window whose height changed between runs
// keeps its top.
struct SavedPlacement {
    double left = 0.0;
    double top = 0.0;
    bool operator==(const SavedPlacement&) const = default;

    QByteArray encoded() const;
    // Both members must be finite numbers in one JSON object; anything else is no placement.
    static std::optional<SavedPlacement> decoded(const QByteArray& data);
};

// Inside a visible frame, this far in from each edge (half the frame when it is smaller).
inline constexpr double detachedScreenInset = 8.0;

// The origin that keeps a window of `size` wanted with its top-left corner at (left, top) on the
// visible frame it overlaps most (the earlier one on a tie), or else on the one nearest that corner,
// inset on every side. A window larger than the frame keeps its left and bottom edges inside.
// None when there are no visible frames.
std::optional<QPointF> clampedDetachedOrigin(const QList<QRectF>& visibleFrames, double left, double top, QSizeF size);

// The popover's detached flag and the detached window's placement, in the settings. The flag is
// read once at launch; the placement serves only the next launch.
class TimerPopoverPlacementStore final {
public:
    TimerPopoverPlacementStore(UserDefaults& defaults, QString detachedKey, QString placementKey);

    bool isDetached() const;
    void setDetached(bool detached);

    std::optional<SavedPlacement> placement() const;
    void save(const QRectF& frame);
    void removePlacement();
    // The stored corner clamped to the visible frames; none when nothing usable is stored.
    std::optional<QPointF> restoredOrigin(const QList<QRectF>& visibleFrames, QSizeF size) const;

    const QString detachedKey;
    const QString placementKey;

private:
    UserDefaults& defaults;
};

} // namespace mewt
