#pragma once

#include "model/CatTheme.h"
#include "model/InterfaceSettingsStore.h"
#include "popover/TimerDisplayContent.h"
#include "popover/TimerStartControls.h"

#include <QWidget>
#include <vector>

class QStackedLayout;

namespace mewt {

class ClockTimeField;
class InstructionsBlock;
class TimerModePicker;

// What the next start will be while nothing runs: the zen strip, or the normal layout with the
// mode switch, the session name or the clock face, the pomodoro durations and the instructions.
// The session-name field, the clock face's name row, the duration controls and the compact toolbar
// are placed in the slots this page keeps for them.
class IdleDisplayPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdleDisplayPage)

public:
    static constexpr int zenWidth = 268;

    struct Content {
        bool zenLayout = false;
        bool attached = true; // the zen strip carries the compact toolbar only then
        bool showsModePicker = true;
        TimerMode mode = TimerMode::timer;
        TimerIdleLayout idleLayout = TimerIdleLayout::mewt;
        std::vector<InstructionLine> instructions; // empty: no block
        QString clockTime;
        TimerStartControls::Content start;
        QString startActionName;
    };

    explicit IdleDisplayPage(QWidget* parent = nullptr);

    void setContent(const Content& content);
    void setPopoverPalette(const CatPopoverPalette& palette);

    bool showsZenLayout() const;
    QWidget& zenStrip() const { return *zenForm; }
    QWidget& zenModeRow() const { return *zenSecondRow; }
    TimerModePicker& modePicker() const { return *regularPicker; }
    TimerModePicker& compactModePicker() const { return *compactPicker; }
    TimerStartControls& startControls() const { return *start; }
    InstructionsBlock& instructions() const { return *instructionLines; }
    ClockTimeField& clockTimeField() const { return *clockTime; }
    // Only while the clock face shows: the start button is then on screen.
    bool showsStartControls() const;

    QWidget& sessionNameSlot() const { return *nameSlot; }
    QWidget& zenSessionNameSlot() const { return *zenNameSlot; }
    QWidget& clockNameSlot() const { return *clockNameRow; }
    QWidget& durationControlsSlot() const { return *durations; }
    QWidget& compactDurationControlsSlot() const { return *compactDurations; }
    QWidget& compactToolbarSlot() const { return *toolbarSlot; }

    // The idle display's named accessibility action.
    Q_INVOKABLE void performAccessibleAction();

Q_SIGNALS:
    void modePicked(mewt::TimerMode mode);
    void startPressed();
    void startRequested();

private:
    QStackedLayout* forms = nullptr;
    QWidget* zenForm = nullptr;
    QWidget* normalForm = nullptr;
    QWidget* zenNameSlot = nullptr;
    QWidget* toolbarSlot = nullptr;
    QWidget* zenSecondRow = nullptr;
    TimerModePicker* compactPicker = nullptr;
    QWidget* compactDurations = nullptr;
    TimerModePicker* regularPicker = nullptr;
    QWidget* nameSlot = nullptr;
    QWidget* clockFace = nullptr;
    QWidget* clockNameRow = nullptr;
    ClockTimeField* clockTime = nullptr;
    TimerStartControls* start = nullptr;
    QWidget* durations = nullptr;
    InstructionsBlock* instructionLines = nullptr;
};

} // namespace mewt
