#include "popover/PomodoroDurationInteractionModifier.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>

namespace mewt {

PomodoroDurationInteractionModifier::PomodoroDurationInteractionModifier(QWidget& target)
    : QObject(&target)
{
    target.installEventFilter(this);
}

void PomodoroDurationInteractionModifier::setEnabled(bool value)
{
    enabled = value;
    if (!enabled)
        pressed = dragging = false;
}

bool PomodoroDurationInteractionModifier::passedThreshold(QPointF global) const
{
    const QPointF translation = global - start;
    return std::hypot(translation.x(), translation.y()) >= dragThreshold;
}

void PomodoroDurationInteractionModifier::press(QPointF global)
{
    if (!enabled)
        return;
    pressed = true;
    dragging = false;
    start = global;
}

void PomodoroDurationInteractionModifier::move(QPointF global)
{
    if (!pressed || (!dragging && !passedThreshold(global)))
        return;
    if (!std::exchange(dragging, true) && onBegan)
        onBegan(start);
    if (onChanged)
        onChanged(global);
}

void PomodoroDurationInteractionModifier::release(QPointF global)
{
    if (!std::exchange(pressed, false))
        return;
    if (std::exchange(dragging, false)) {
        if (onEnded)
            onEnded(global);
        return;
    }
    if (!passedThreshold(global)) {
        if (acceptsTap && onTap)
            onTap();
        return;
    }
    // A flick whose moves never reached the threshold before the button came up.
    if (onBegan)
        onBegan(start);
    if (onChanged)
        onChanged(global);
    if (onEnded)
        onEnded(global);
}

bool PomodoroDurationInteractionModifier::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // Comes after the second press of a quick double click, which was handled as a press.
        return enabled;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: break;
    case QEvent::Hide: pressed = dragging = false; return false;
    default: return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (!enabled || (mouse->button() != Qt::LeftButton && event->type() != QEvent::MouseMove))
        return false;
    const QPointF global = mouse->globalPosition();
    if (event->type() == QEvent::MouseMove) {
        if (!pressed)
            return false;
        move(global);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        release(global);
    } else {
        press(global);
    }
    return true;
}

} // namespace mewt
