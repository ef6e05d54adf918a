#pragma once

#include <QObject>
#include <functional>

namespace mewt {

// Steps a fixed number of animation frames a frame interval apart, the first after one turn of the
// event loop so the start state gets drawn. The step answers whether to go on; owners stop an
// animation by a generation they check in it, never by cancelling the stepper. Runs die with
// their context object. Tests hand the controller a stepper they advance themselves.
class FrameStepper {
public:
    // Frame numbers run from 1 to the count.
    using Step = std::function<bool(int frame)>;

    virtual ~FrameStepper() = default;
    virtual void run(int frameCount, QObject* context, Step step) = 0;
};

// The real one: one precise timer per run, alive only while it runs.
class TimerFrameStepper final : public FrameStepper {
public:
    void run(int frameCount, QObject* context, Step step) override;
};

} // namespace mewt
