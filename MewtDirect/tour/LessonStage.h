#pragma once

#include "artwork/DemoLoop.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace mewt {

// Where the tour's lesson stands. A new lesson replaces the old one: the old slides out to the left
// as it fades, the new slides in from the right, whichever way the tour went.
class LessonStage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LessonStage)

public:
    static constexpr int stageHeight = 150;
    static constexpr double slideDistance = 16.0;
    static constexpr double transitionSeconds = 0.2;

    explicit LessonStage(QWidget* parent = nullptr);

    // Takes ownership of `lesson`; without `animated` it shows at once.
    void setLesson(QWidget* lesson, bool animated);
    QWidget* lesson() const { return current; }

    bool isTransitioning() const { return frames.isRunning(); }
    void finishTransition();
    DemoLoop& loop() { return frames; }
    void showFrame(double elapsedSeconds);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void place();

    QPointer<QWidget> current;
    QPointer<QGraphicsOpacityEffect> incomingFade;
    QPixmap outgoing;
    double progress = 1.0; // eased, 0 at the start of a change, 1 when done
    DemoLoop frames;
};

} // namespace mewt
