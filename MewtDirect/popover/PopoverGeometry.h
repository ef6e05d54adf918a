#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

namespace mewt {

// Where the attached popover goes and how it moves, in Qt's global coordinates (y grows
// downwards). Every rule applies to the content rectangle, never to a shadow margin around it.
namespace popover_geometry {

inline constexpr double sideMargin = 8.0;
// How far the panel's top edge reaches up behind the paw. None: no top bar hides the panel's top
// here, and the paw's small window would cover the header's buttons.
inline constexpr double pawOverlap = 0.0;
inline constexpr double slideDistance = 63.0;
inline constexpr int entryFrames = 14;
inline constexpr int exitFrames = 11;
// Around the paw, the pointer still counts as on its way to the panel.
inline constexpr double pawSlack = 8.0;

// The first of `screenFrames` that the paw touches.
std::optional<qsizetype> screenIndexForPaw(const QList<QRectF>& screenFrames, const QRectF& pawFrame);

// Centred under the paw, 8 inside the visible frame; the right margin wins on a narrow screen.
QPointF attachedOrigin(const QRectF& pawFrame, const QRectF& visibleFrame, const QSizeF& contentSize);

// The panel itself, the paw with its slack, or the funnel from the paw's top centre to the
// panel's two top corners.
bool pointerIsInPopoverZone(QPointF pointer, const QRectF& panelFrame, const std::optional<QRectF>& pawFrame);

struct AnimationFrame {
    // 0 at the start point, 1 at the end point.
    double progress = 0.0;
    double alpha = 1.0;
};

// Frame i (1...14) of the slide in: decelerating, invisible for the first third.
AnimationFrame entryFrame(int frame);
// Frame i (1...11) of the slide out from `startAlpha`: accelerating, gone after 30 %.
AnimationFrame exitFrame(int frame, double startAlpha);

} // namespace popover_geometry

} // namespace mewt
