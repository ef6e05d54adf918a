#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroYarnProgress.h"
#include "popover/ProgressGlide.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

namespace mewt {

// One rounded piece of the drawn strand and the colour it takes.
struct YarnStrandPiece {
    enum class Ink { focus, shortBreak, longBreak, endMark };
    QRectF rect;
    double radius = 0.0;
    Ink ink = Ink::focus;
    bool operator==(const YarnStrandPiece&) const = default;
};

// The strand of `width` × 3: each segment scaled to the width by the schedule's total, the wound
// part of the current one gone, a revealed segment drawn to `revealProgress` of its length.
std::vector<YarnStrandPiece> yarnStrandPieces(const PomodoroYarnSchedule& schedule,
    double currentSegmentConsumedSeconds, const std::optional<QString>& revealID, double revealProgress, double width);

struct YarnBallGroove {
    QPointF start;
    QPointF control;
    QPointF end;
};
// The three groove curves of a ball drawn in `r`.
std::array<YarnBallGroove, 3> yarnBallGrooves(const QRectF& r);
// The ball as a filled circle with its grooves, inset 1 inside `bounds`.
void paintFilledYarnBall(QPainter& painter, const QRectF& bounds, const QColor& fill, const QColor& groove);

// The remaining work as a strand of yarn running right from a ball that winds it up as time passes;
// strand and ball glide between the once-a-second updates.
class YarnTimeline final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(YarnTimeline)

public:
    static constexpr int height = 17;
    static constexpr int ballSize = 14;
    static constexpr double strandInset = 7.0;
    static constexpr int revealFrames = 9; // 0.14 s

    explicit YarnTimeline(QWidget* parent = nullptr);
    ~YarnTimeline() override;

    const PomodoroYarnProgress& progress() const { return glide.target(); }
    // A new reveal identifier grows its segment in from nothing (at once with reduced motion); on
    // a page about to show in a shown window, from the moment it shows.
    void setProgress(const PomodoroYarnProgress& progress, const std::optional<QString>& revealID);
    void setPopoverPalette(const CatPopoverPalette& palette);

    double strandWidth() const;
    // Radians the ball has turned, as drawn: the wound share of the strand rolled by a 14-pixel ball;
    // none while motion is reduced, following the setting as it changes.
    double ballRotation() const;
    double revealProgress() const { return reveal; }
    bool isRevealing() const;
    void advanceRevealFrame();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateAccessibleText();
    void finishReveal();
    void reducedMotionChanged();

    ProgressGlide glide;
    std::optional<QString> revealKey;
    double reveal = 1.0;
    int revealFrame = revealFrames;
    CatPopoverPalette colors;
};

} // namespace mewt
