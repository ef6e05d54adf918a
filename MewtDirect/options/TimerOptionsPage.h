#pragma once

#include "options/OptionsPage.h"

namespace mewt {

class PomodoroSettingsStore;
class PomodoroStore;
class PullSettingsStore;
class SegmentedPicker;
class TimerStore;

// The default mode, the quick start time and the pomodoro defaults. The default mode cannot be
// changed while a timer runs or is paused, nor while a pomodoro plan exists.
class TimerOptionsPage final : public OptionsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerOptionsPage)

public:
    TimerOptionsPage(TimerStore& timerStore, PullSettingsStore& pullSettingsStore,
        PomodoroSettingsStore& pomodoroSettingsStore, PomodoroStore& pomodoroStore, QWidget* parent = nullptr);

    SegmentedPicker* defaultModePicker() const { return modePicker; }
    void sync() override;

private:
    TimerStore& timerStore;
    PomodoroStore& pomodoroStore;
    SegmentedPicker* modePicker = nullptr;
};

} // namespace mewt
