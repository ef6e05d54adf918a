#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroYarnProgress.h"
#include "popover/PhaseTimeBlock.h"
#include "popover/TimerDisplayContent.h"

#include <QWidget>
#include <optional>
#include <vector>

class QBoxLayout;

namespace mewt {

class CapsuleButton;
class InstructionsBlock;
class TimeButton;
class ToolbarIconButton;
class YarnTimeline;
class ZenProgressBar;

// A running or paused timer, or a running pomodoro phase: the time that pauses and resumes, the
// next-phase and cancel buttons, and the yarn or the zen bar with the instructions under it.
class ActiveDisplayPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActiveDisplayPage)

public:
    struct Content {
        bool zenLayout = false;
        bool attached = true; // the compact toolbar joins the zen time row only then
        PhaseTimeBlock::Content time;
        QString timeAccessibleName;
        QString timeAccessibleValue;
        QString timeAccessibleHint;
        std::optional<QString> nextPhaseLabel;
        PomodoroYarnProgress progress;
        std::optional<QString> revealID;
        bool showsYarn = false;
        std::vector<InstructionLine> instructions; // empty: no block
    };

    explicit ActiveDisplayPage(QWidget* parent = nullptr);

    void setContent(const Content& content);
    void setPopoverPalette(const CatPopoverPalette& palette);

    TimeButton& timeButton() const { return *time; }
    CapsuleButton& nextPhaseButton() const { return *nextPhase; }
    ToolbarIconButton& cancelButton() const { return *cancel; }
    YarnTimeline& yarn() const { return *yarnTimeline; }
    ZenProgressBar& zenBar() const { return *bar; }
    InstructionsBlock& instructions() const { return *instructionLines; }
    // Where the compact toolbar joins the time row while attached in the zen layout.
    QWidget& compactToolbarSlot() const { return *toolbarSlot; }

Q_SIGNALS:
    void timePressed();
    void nextPhasePressed();
    void cancelPressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    TimeButton* time = nullptr;
    CapsuleButton* nextPhase = nullptr;
    ToolbarIconButton* cancel = nullptr;
    QWidget* toolbarSlot = nullptr;
    YarnTimeline* yarnTimeline = nullptr;
    ZenProgressBar* bar = nullptr;
    InstructionsBlock* instructionLines = nullptr;
};

} // namespace mewt
