#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroYarnProgress.h"
#include "popover/PhaseTimeBlock.h"
#include "popover/TimerDisplayContent.h"

#include <QWidget>
#include <vector>

namespace mewt {

class CapsuleButton;
class InstructionsBlock;
class PhaseTimeBlock;
class TimeButton;
class ToolbarIconButton;
class YarnTimeline;

// A plan waiting between phases: what comes next and how long the wait has run over, the button
// that starts it and the one that ends the plan. In the zen layout the whole "next:" block is the
// start button.
class WaitingDisplayPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WaitingDisplayPage)

public:
    struct Content {
        bool zenLayout = false;
        bool attached = true; // the compact toolbar follows the zen start block only then
        PhaseTimeBlock::Content time;
        QString startLabel;
        PomodoroYarnProgress progress;
        bool showsYarn = false;
        std::vector<InstructionLine> instructions; // empty: no block
    };

    explicit WaitingDisplayPage(QWidget* parent = nullptr);

    void setContent(const Content& content);
    void setPopoverPalette(const CatPopoverPalette& palette);

    TimeButton& zenStartButton() const { return *zenStart; }
    PhaseTimeBlock& timeBlock() const { return *block; }
    CapsuleButton& startButton() const { return *start; }
    ToolbarIconButton& cancelButton() const { return *cancel; }
    YarnTimeline& yarn() const { return *yarnTimeline; }
    InstructionsBlock& instructions() const { return *instructionLines; }
    QWidget& compactToolbarSlot() const { return *toolbarSlot; }

Q_SIGNALS:
    void startPressed();
    void cancelPressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    TimeButton* zenStart = nullptr;
    QWidget* toolbarSlot = nullptr;
    QWidget* controls = nullptr;
    PhaseTimeBlock* block = nullptr;
    CapsuleButton* start = nullptr;
    ToolbarIconButton* cancel = nullptr;
    YarnTimeline* yarnTimeline = nullptr;
    InstructionsBlock* instructionLines = nullptr;
};

} // namespace mewt
