#include "artwork/DemoTimeline.h"

#include "artwork/Animation.h"

#include <QEasingCurve>
#include <QPointF>
#include <algorithm>
#include <cstddef>

namespace mewt {

namespace {

struct Segment {
    double from = 0.0;
    double to = 0.0;
    double start = 0.0;
    double duration = 0.0;
    DemoCurve curve = DemoCurve::easeOut;

    double valueAt(double seconds) const
    {
        if (duration <= 0.0 || seconds >= start + duration)
            return to;
        return from + (to - from) * demoCurveValue(curve, (seconds - start) / duration);
    }
};

} // namespace

double demoCurveValue(DemoCurve curve, double progress)
{
    const double t = std::clamp(progress, 0.0, 1.0);
    switch (curve) {
    case DemoCurve::easeIn: return easeInCurve().valueForProgress(t);
    case DemoCurve::easeOut: return easeOutCurve().valueForProgress(t);
    case DemoCurve::easeInOut: return easeInOutCurve().valueForProgress(t);
    }
    return t;
}

DemoTimeline::DemoTimeline(std::vector<double> initialValues, std::vector<DemoStep> steps)
    : initial(std::move(initialValues))
    , steps(std::move(steps))
{
    for (const DemoStep& step : this->steps)
        total += std::max(step.wait, 0.0);
}

double DemoTimeline::stepStart(int index) const
{
    double start = 0.0;
    for (int i = 0; i < index && i < static_cast<int>(steps.size()); ++i)
        start += std::max(steps[static_cast<std::size_t>(i)].wait, 0.0);
    return start;
}

std::vector<double> DemoTimeline::valuesAt(double seconds) const
{
    std::vector<Segment> segments(initial.size());
    for (std::size_t i = 0; i < initial.size(); ++i)
        segments[i].from = segments[i].to = initial[i];
    double start = 0.0;
    for (const DemoStep& step : steps) {
        if (start > seconds)
            break;
        for (const DemoChange& change : step.changes) {
            if (change.property < 0 || static_cast<std::size_t>(change.property) >= segments.size())
                continue;
            Segment& segment = segments[static_cast<std::size_t>(change.property)];
            segment = { segment.valueAt(start), change.value, start, change.duration, change.curve };
        }
        start += std::max(step.wait, 0.0);
    }
    std::vector<double> values(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i)
        values[i] = segments[i].valueAt(seconds);
    return values;
}

double DemoTimeline::nextChangeAt(double seconds) const
{
    double start = 0.0;
    for (const DemoStep& step : steps) {
        for (const DemoChange& change : step.changes) {
            const bool moving = change.duration > 0.0 && start <= seconds && seconds < start + change.duration;
            if (moving || (start > seconds))
                return std::max(start, seconds);
        }
        start += std::max(step.wait, 0.0);
    }
    return std::max(total, seconds);
}

} // namespace mewt
