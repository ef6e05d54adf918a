#pragma once

#include "model/CatTheme.h"

#include <QWidget>

namespace mewt {

class PullPreview;

// What a pull of three steps would start, for the pull demo's pill: "timer +2m" on even cycles,
// "pomodoro 2 focus" on odd ones.
QString pullDistanceStatusText(int points, int timerStepSeconds, double pullProgress, int cycleIndex);
// The steps reached at `pullProgress` of a three-step pull: 0 at rest, then 1 to 3.
int pullDistanceSteps(int points, double pullProgress);

// The pulling page's illustration: the pull demo over a desktop picture of ours, pulling the paw
// three steps of the chosen distance at 110 points a second. It has no controls; to a screen
// reader it is one element with the distance as its value.
class PullDistanceDiagram final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullDistanceDiagram)

public:
    static constexpr QSize cardSize { 340, 132 };
    static constexpr int steps = 3;
    static constexpr double pullSpeed = 110; // points per second

    PullDistanceDiagram(int points, const CatTheme& theme, int timerStepSeconds, QWidget* parent = nullptr);

    void setPoints(int points);
    void setTheme(const CatTheme& theme);
    void setTimerStepSeconds(int seconds);

    int points() const { return shownPoints; }
    int timerStepSeconds() const { return stepSeconds; }
    PullPreview& preview() const { return *demo; }
    QString accessibleValue() const;

    // The desktop picture, drawn in code at three times the card's size.
    static const QImage& desktopPicture();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void retranslate();
    QRect cardRect() const;
    void applyStatusText();

    int shownPoints;
    int stepSeconds;
    PullPreview* demo = nullptr;
};

} // namespace mewt
