#pragma once

#include <QObject>
#include <QPointF>
#include <functional>

class QWidget;

namespace mewt {

// Tells a click on a duration value from a drag on it. A press that travels 4.0 px from where it
// started (measured from the press, not with the desktop's drag distance, so a flick pulls as
// readily as a slow drag) is a drag: it begins at the press point, then follows the pointer and
// ends where the button comes up. A shorter press is a click. Points are global screen
// coordinates, y growing downwards.
class PomodoroDurationInteractionModifier final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationInteractionModifier)

public:
    static constexpr double dragThreshold = 4.0;

    // Watches the left-button presses of `target`, taking them while enabled.
    explicit PomodoroDurationInteractionModifier(QWidget& target);

    bool isDragging() const { return dragging; }
    bool isEnabled() const { return enabled; }
    // Off: presses pass through untouched (to the open text field) and a press in progress is
    // forgotten without a call.
    void setEnabled(bool enabled);
    bool acceptsTap = true;

    // The gesture itself, for the event handling and for tests.
    void press(QPointF global);
    void move(QPointF global);
    void release(QPointF global);

    std::function<void()> onTap;
    std::function<void(QPointF)> onBegan;
    std::function<void(QPointF)> onChanged;
    std::function<void(QPointF)> onEnded;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool passedThreshold(QPointF global) const;

    bool enabled = true;
    bool pressed = false;
    bool dragging = false;
    QPointF start;
};

} // namespace mewt
