#include "options/Stepper.h"

#include "cues/PointerFeedback.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace mewt {

namespace {

constexpr qreal cornerRadius = 4;
constexpr qreal arrowHalfWidth = 2.5;
constexpr qreal arrowHeight = 2.5;
constexpr qreal arrowPen = 1.3;

// A spin box to screen readers: its value, and increase and decrease actions.
class StepperAccessible final : public QAccessibleWidget {
public:
    explicit StepperAccessible(Stepper* stepper)
        : QAccessibleWidget(stepper, QAccessible::SpinBox)
    {
    }
    Stepper* stepper() const { return static_cast<Stepper*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(stepper()->value());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return { increaseAction(), decreaseAction() }; }
    void doAction(const QString& name) override
    {
        if (name == increaseAction())
            stepper()->stepBy(1);
        else if (name == decreaseAction())
            stepper()->stepBy(-1);
    }
};

QAccessibleInterface* stepperAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::Stepper") && object && object->isWidgetType())
        return new StepperAccessible(static_cast<Stepper*>(object));
    return nullptr;
}

void paintArrow(QPainter& painter, QPointF tip, int direction)
{
    QPainterPath arrow;
    arrow.moveTo(tip + QPointF(-arrowHalfWidth, direction * arrowHeight));
    arrow.lineTo(tip);
    arrow.lineTo(tip + QPointF(arrowHalfWidth, direction * arrowHeight));
    painter.drawPath(arrow);
}

} // namespace

Stepper::Stepper(QWidget* parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(stepperAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setFixedSize(stepperWidth, stepperHeight);
    setFocusPolicy(Qt::TabFocus);
    setFeedbackRole(this, FeedbackRole::incrementor);
    repeat.setInterval(repeatDelayMs);
    connect(&repeat, &QTimer::timeout, this, [this] {
        repeat.setInterval(repeatIntervalMs);
        stepBy(pressedDirection);
    });
}

void Stepper::setRange(int minimum, int maximum)
{
    lowest = std::min(minimum, maximum);
    highest = std::max(minimum, maximum);
    update();
}

void Stepper::setStep(int step)
{
    increment = std::max(step, 1);
}

void Stepper::setValue(int value)
{
    if (current == value)
        return;
    current = value;
    update();
    announceValue();
}

int Stepper::steppedValue(int direction) const
{
    // 64-bit, so a step from a value near the int limits cannot overflow.
    const qint64 next = qint64(current) + qint64(direction) * increment;
    return int(std::clamp<qint64>(next, lowest, highest));
}

void Stepper::stepBy(int direction)
{
    const int next = steppedValue(direction);
    if (next == current)
        return;
    current = next;
    update();
    announceValue();
    Q_EMIT valueStepped(next);
}

void Stepper::announceValue()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, current);
    QAccessible::updateAccessibility(&event);
}

void Stepper::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressedDirection = event->position().y() < stepperHeight / 2.0 ? 1 : -1;
    stepBy(pressedDirection);
    repeat.setInterval(repeatDelayMs);
    repeat.start();
    update();
}

void Stepper::mouseReleaseEvent(QMouseEvent* event)
{
    repeat.stop();
    pressedDirection = 0;
    update();
    QWidget::mouseReleaseEvent(event);
}

void Stepper::hideEvent(QHideEvent* event)
{
    repeat.stop();
    pressedDirection = 0;
    QWidget::hideEvent(event);
}

void Stepper::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        return stepBy(1);
    if (event->key() == Qt::Key_Down)
        return stepBy(-1);
    QWidget::keyPressEvent(event);
}

void Stepper::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawRoundedRect(box, cornerRadius, cornerRadius);
    if (pressedDirection != 0) {
        const QRectF half = pressedDirection > 0 ? QRectF(box.left(), box.top(), box.width(), box.height() / 2)
                                                 : QRectF(box.left(), box.center().y(), box.width(), box.height() / 2);
        painter.save();
        painter.setClipRect(half);
        painter.setBrush(palette().color(QPalette::Midlight));
        painter.drawRoundedRect(box, cornerRadius, cornerRadius);
        painter.restore();
    }
    const QColor enabledArrow = palette().color(QPalette::ButtonText);
    const QColor disabledArrow = palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.setBrush(Qt::NoBrush);
    const qreal middle = box.center().x();
    const qreal quarter = box.height() / 4;
    painter.setPen(QPen(isEnabled() && current < highest ? enabledArrow : disabledArrow, arrowPen, Qt::SolidLine,
        Qt::RoundCap, Qt::RoundJoin));
    paintArrow(painter, QPointF(middle, box.top() + quarter - arrowHeight / 2), 1);
    painter.setPen(QPen(isEnabled() && current > lowest ? enabledArrow : disabledArrow, arrowPen, Qt::SolidLine,
        Qt::RoundCap, Qt::RoundJoin));
    paintArrow(painter, QPointF(middle, box.bottom() - quarter + arrowHeight / 2), -1);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.drawRoundedRect(box, cornerRadius, cornerRadius);
    }
}

} // namespace mewt
