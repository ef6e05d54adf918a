#pragma once

#include "pull/PomodoroDurationKind.h"

#include <QObject>
#include <QPointF>
#include <optional>

namespace mewt {

// How far the rope must be pulled for one more unit: 2 points a minute for the lengths (three hours
// at 360 points), 20 points a focus block for the interval.
double pomodoroDurationPointsPerUnit(PomodoroDurationKind kind);

// The pull point held within `maximum` units' distance of `start`, in the direction pulled.
QPointF heldPomodoroDurationPoint(PomodoroDurationKind kind, int maximum, QPointF start, QPointF point);

// The whole value a rope of `distance` points selects: 0 up to one unit, then one more per unit,
// held to 0...maximum (a distance that is not a number selects 0).
int pomodoroDurationValue(PomodoroDurationKind kind, int maximum, double distance);

// What the rope's pill shows: "25m", "1h30m", "3h" for the lengths, "every 4" for the interval.
QString pomodoroDurationValueText(PomodoroDurationKind kind, int value);

// The state of one duration pull. `kind` is set exactly while the phase is not idle, so both
// readings of "a pull is active" agree.
class PomodoroDurationPullModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationPullModel)

public:
    enum class Phase { idle, dragging };

    explicit PomodoroDurationPullModel(QObject* parent = nullptr);

    Phase phase() const { return currentPhase; }
    bool isActive() const { return currentPhase != Phase::idle; }
    std::optional<PomodoroDurationKind> kind() const { return currentKind; }
    QPointF startPoint() const { return start; }
    QPointF pullPoint() const { return pull; }
    int value() const { return currentValue; }
    int maximum() const { return currentMaximum; }

    void begin(PomodoroDurationKind kind, QPointF startPoint, int maximum);
    void move(QPointF pullPoint, int value);
    void reset();

Q_SIGNALS:
    void changed();

private:
    Phase currentPhase = Phase::idle;
    std::optional<PomodoroDurationKind> currentKind;
    QPointF start;
    QPointF pull;
    int currentValue = 0;
    int currentMaximum = 0;
};

} // namespace mewt
