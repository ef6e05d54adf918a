#pragma once

#include <QTimer>
#include <QWidget>

namespace mewt {

// Two small arrows that step a whole number up or down within a range; held down, they repeat.
// One painted control, so screen readers and pointer sounds meet one incrementor, not two buttons.
class Stepper final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Stepper)

public:
    static constexpr int stepperWidth = 13;
    static constexpr int stepperHeight = 22;
    static constexpr int repeatDelayMs = 400;
    static constexpr int repeatIntervalMs = 70;

    explicit Stepper(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setStep(int step);
    // Store to stepper: emits nothing.
    void setValue(int value);
    int value() const { return current; }
    int minimum() const { return lowest; }
    int maximum() const { return highest; }

    // What a step up (+1) or down (-1) from the shown value gives, held to the range.
    int steppedValue(int direction) const;
    // Steps as a user action: emits valueStepped when the value changes.
    void stepBy(int direction);
    bool isRepeating() const { return repeat.isActive(); }
    QSize sizeHint() const override { return { stepperWidth, stepperHeight }; }

Q_SIGNALS:
    void valueStepped(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void announceValue();

    int lowest = 0;
    int highest = 99;
    int increment = 1;
    int current = 0;
    int pressedDirection = 0;
    QTimer repeat;
};

} // namespace mewt
