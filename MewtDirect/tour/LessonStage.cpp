#include "tour/LessonStage.h"

#include "artwork/DemoTimeline.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <cmath>

namespace mewt {

LessonStage::LessonStage(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(stageHeight);
    connect(&frames, &DemoLoop::frame, this, &LessonStage::showFrame);
}

void LessonStage::setLesson(QWidget* lesson, bool animated)
{
    finishTransition();
    if (current) {
        if (animated && isVisible())
            outgoing = current->grab();
        current->hide();
        current->deleteLater();
    }
    current = lesson;
    if (!lesson)
        return;
    lesson->setParent(this);
    if (animated && isVisible()) {
        progress = 0.0;
        incomingFade = new QGraphicsOpacityEffect(lesson);
        incomingFade->setOpacity(0.0);
        lesson->setGraphicsEffect(incomingFade);
        frames.start();
    } else {
        progress = 1.0;
    }
    place();
    lesson->show();
}

void LessonStage::showFrame(double elapsedSeconds)
{
    const double t = elapsedSeconds / transitionSeconds;
    if (t >= 1.0) {
        finishTransition();
        return;
    }
    progress = demoCurveValue(DemoCurve::easeOut, t);
    if (incomingFade)
        incomingFade->setOpacity(progress);
    place();
    update();
}

void LessonStage::finishTransition()
{
    frames.stop();
    progress = 1.0;
    outgoing = QPixmap();
    if (current && incomingFade)
        current->setGraphicsEffect(nullptr);
    place();
    update();
}

void LessonStage::place()
{
    if (current)
        current->setGeometry(static_cast<int>(std::lround(slideDistance * (1.0 - progress))), 0, width(), height());
}

void LessonStage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

void LessonStage::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    finishTransition();
}

void LessonStage::paintEvent(QPaintEvent*)
{
    if (outgoing.isNull())
        return;
    QPainter painter(this);
    painter.setOpacity(1.0 - progress);
    painter.drawPixmap(QPointF(-slideDistance * progress, 0.0), outgoing);
}

} // namespace mewt
