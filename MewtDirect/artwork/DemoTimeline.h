#pragma once

#include <vector>

namespace mewt {

// The easing curves of the demos, as cubic Béziers: ease-in (0.42, 0, 1, 1), ease-out
// (0, 0, 0.58, 1), ease-in-out (0.42, 0, 0.58, 1).
enum class DemoCurve { easeIn, easeOut, easeInOut };

// The curve's value for progress in 0...1 (held to that range).
double demoCurveValue(DemoCurve curve, double progress);

// One property of a demo moving to `value`; a duration of 0 sets it at once.
struct DemoChange {
    int property = 0;
    double value = 0.0;
    double duration = 0.0;
    DemoCurve curve = DemoCurve::easeOut;
};

// Changes that start together, then a wait before the next step. An animation may run on past
// its step's wait; a later change of the same property takes over from where it had got to.
struct DemoStep {
    std::vector<DemoChange> changes;
    double wait = 0.0;
};

// One cycle of a demo's loop as data, so that what shows at any moment is a pure function of the
// time since the cycle began, and a frame costs a walk over a dozen changes.
class DemoTimeline final {
public:
    DemoTimeline(std::vector<double> initialValues, std::vector<DemoStep> steps);

    // The sum of the waits.
    double duration() const { return total; }
    // When step `index` begins (the duration for an index past the last step).
    double stepStart(int index) const;
    // Every property at `seconds` after the start; before 0 the initial values, past the end what
    // the last steps left.
    std::vector<double> valuesAt(double seconds) const;
    // `seconds` itself while something moves then; otherwise when the next change begins (the
    // duration when none is left), so a still picture needs no frames.
    double nextChangeAt(double seconds) const;

private:
    std::vector<double> initial;
    std::vector<DemoStep> steps;
    double total = 0.0;
};

} // namespace mewt
