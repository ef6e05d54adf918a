#include "popover/FrameStepper.h"

#include "artwork/Animation.h"

#include <QPointer>
#include <QTimer>

namespace mewt {

void TimerFrameStepper::run(int frameCount, QObject* context, Step step)
{
    if (frameCount < 1 || context == nullptr || !step)
        return;
    // The timer belongs to the context, so a run never outlives what it animates.
    auto* timer = new QTimer(context);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(0);
    auto frame = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, frame, frameCount, step = std::move(step)] {
        ++*frame;
        const bool goesOn = step(*frame) && *frame < frameCount;
        if (!goesOn) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        timer->setInterval(frameIntervalMs);
    });
    timer->start();
}

} // namespace mewt
