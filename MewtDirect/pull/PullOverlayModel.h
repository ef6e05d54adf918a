#pragma once

#include "model/CatTheme.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace mewt {

// What the pull overlay shows, in global coordinates (y down): the cat's arm reaching from the top
// of the pull's screen to the pointer, the paw at the pointer, and the status pill below it.
class PullOverlayModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullOverlayModel)

public:
    struct State {
        bool isVisible = false;
        QPointF anchor;
        QPointF pointer;
        // The screen the overlay is on: its whole frame and the part not taken by panels.
        QRectF screenFrame;
        QRectF availableFrame;
        QString statusText;
        bool isCancel = false;
        // 0 while pulling; rises to 1 as the arm withdraws after the pull.
        double retreatProgress = 0.0;
        CatTheme theme = CatTheme::defaultTheme();

        bool operator==(const State&) const = default;
    };

    explicit PullOverlayModel(QObject* parent = nullptr);

    const State& state() const { return current; }
    // Emits `changed` only when something differs.
    void setState(const State& state);

Q_SIGNALS:
    void changed();

private:
    State current;
};

// Where each piece of the overlay goes for a state and a pill size.
struct PullOverlayLayout {
    QPointF shoulder;
    QPointF armEnd;
    // Centre and turn (radians, 0 hanging straight down) of the 34 by 24 paw.
    QPointF pawCentre;
    double pawAngle = 0.0;
    QRectF pillRect;
    double pillOpacity = 1.0;
};

inline constexpr double pullArmEdgeWidth = 28.0;
inline constexpr double pullArmFurWidth = 22.0;
// The arm's markings appear once the arm is longer than this.
inline constexpr double pullArmPatternLength = 70.0;

PullOverlayLayout pullOverlayLayout(const PullOverlayModel::State& state, QSizeF pillSize);

} // namespace mewt
