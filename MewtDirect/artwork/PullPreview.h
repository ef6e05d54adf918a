#pragma once

#include "artwork/DemoLoop.h"
#include "artwork/DemoTimeline.h"
#include "model/CatTheme.h"

#include <QDateTime>
#include <QLocale>
#include <QPointF>
#include <QSizeF>
#include <QWidget>
#include <functional>
#include <memory>

namespace mewt {

class CharacterSlotText;
class PullStatusPill;

// Where the demo stands: 0 = paw above the canvas / at rest / invisible, 1 = dropped in / fully
// pulled / opaque.
struct PullPreviewPose {
    double dropProgress = 0.0;
    double pullProgress = 0.0;
    double opacity = 0.0;
    int cycleIndex = 0;

    bool operator==(const PullPreviewPose&) const = default;
};

// Everything the artwork draws, in canvas coordinates (origin top left, y down).
struct PullPreviewLayout {
    QPointF pawCentre; // the pointer's grip, without the drop offset
    QPointF shoulder;
    QPointF armEnd;
    QPointF pawImageCentre;
    double pawAngle = 0.0; // radians, negative turns counter-clockwise on screen
    bool drawsArmPattern = false;
    QPointF pillCentre;
    double pillOpacity = 0.0;
    bool showsPointer = false;
    QPointF pointerCentre;
    double pointerOpacity = 0.0;
};

// The pill is placed from an estimate of its width, so that it never leaves the canvas.
double pullPreviewPillWidthEstimate(qsizetype characters, double canvasWidth);
PullPreviewLayout pullPreviewLayout(const PullPreviewPose& pose, double maximumPullDistance, QSizeF canvasSize,
    double pillWidthEstimate, bool showsStatusAtRest);
// "m min · <time>" with m the whole minutes the pull has reached, never below 1, and the time of
// day m minutes after `now` in the locale's short format.
QString pullPreviewDefaultStatusText(double pullProgress, const QDateTime& now, const QLocale& locale = QLocale());
// One cycle of the loop for a pull of `pullDuration` seconds: properties opacity, drop, pull.
DemoTimeline pullPreviewCycle(double pullDuration);

// A small looping animation of what a pull does: a cat's arm reaches in from above, its paw drops
// in, a pointer drags it sideways while a pill tells the time the pull would set, and the paw
// springs back. The welcome tour and the pulling options show it at their own sizes. It animates
// only while on screen; with reduced motion it stands still, fully pulled.
class PullPreview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullPreview)

public:
    using StatusText = std::function<QString(double pullProgress, int cycleIndex)>;

    PullPreview(const CatTheme& theme, double maximumPullDistance, QSizeF canvasSize, double displayScale,
        double pullDuration, StatusText statusText = {}, bool showsStatusAtRest = false, QWidget* parent = nullptr);
    ~PullPreview() override;

    const CatTheme& theme() const { return currentTheme; }
    // Another cat starts the loop again from its first step.
    void setTheme(const CatTheme& theme);
    void setMaximumPullDistance(double distance);
    // Taken up by the next pull; the loop keeps running.
    void setPullDuration(double seconds);
    void setStatusText(StatusText statusText);

    const PullPreviewPose& pose() const { return currentPose; }
    double activePullDuration() const { return latchedPullDuration; }
    QString statusText() const;
    DemoLoop& loop() { return frames; }
    // Shows the loop `elapsedSeconds` after it started; the frame clock calls it.
    void showFrame(double elapsedSeconds);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void restart();
    void showStill();
    void syncPill();
    void paintArm(QPainter& painter, const PullPreviewLayout& layout) const;
    void paintPaw(QPainter& painter, const PullPreviewLayout& layout) const;

    CatTheme currentTheme;
    double maximumPullDistance;
    QSizeF canvasSize;
    double displayScale;
    double pullDuration;
    StatusText customStatusText;
    bool showsStatusAtRest;

    PullPreviewPose currentPose;
    double latchedPullDuration;
    double cycleStart = 0.0;
    int completedCycles = 0;
    DemoTimeline cycle;
    DemoLoop frames;
    CharacterSlotText* pillText = nullptr; // owned by the pill
    std::unique_ptr<PullStatusPill> pill; // never shown: rendered into the artwork
};

} // namespace mewt
