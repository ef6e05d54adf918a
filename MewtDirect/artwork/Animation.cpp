#include "artwork/Animation.h"

#include <QEasingCurve>
#include <QPointF>
#include <algorithm>

namespace mewt {

QEasingCurve cubicBezierCurve(QPointF control1, QPointF control2)
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(control1, control2, QPointF(1.0, 1.0));
    return curve;
}

const QEasingCurve& easeInCurve()
{
    static const QEasingCurve curve = cubicBezierCurve({ 0.42, 0.0 }, { 1.0, 1.0 });
    return curve;
}

const QEasingCurve& easeOutCurve()
{
    static const QEasingCurve curve = cubicBezierCurve({ 0.0, 0.0 }, { 0.58, 1.0 });
    return curve;
}

const QEasingCurve& easeInOutCurve()
{
    static const QEasingCurve curve = cubicBezierCurve({ 0.42, 0.0 }, { 0.58, 1.0 });
    return curve;
}

double easeOutValue(double t)
{
    return easeOutCurve().valueForProgress(std::clamp(t, 0.0, 1.0));
}

double easeInOutValue(double t)
{
    return easeInOutCurve().valueForProgress(std::clamp(t, 0.0, 1.0));
}

} // namespace mewt
