#include "options/TimerOptionsPage.h"

#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PullSettingsStore.h"
#include "model/TimerStore.h"
#include "options/PomodoroDefaultsSection.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/SegmentedPicker.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

namespace mewt {

namespace {

constexpr PomodoroNumberSettingRow::Range quickTimeRange { 5, 120 };
constexpr int quickTimeStep = 5;

SettingBinding<QString> modeBinding(PomodoroSettingsStore& store)
{
    return {
        [&store] { return rawValue(store.mode()); },
        [&store](const QString& raw) {
            if (const auto mode = timerModeFromRawValue(raw))
                store.setMode(*mode);
        },
        [&store](QObject* context, std::function<void()> refresh) {
            QObject::connect(&store, &PomodoroSettingsStore::modeChanged, context, [refresh] { refresh(); });
        },
    };
}

} // namespace

TimerOptionsPage::TimerOptionsPage(TimerStore& timerStore, PullSettingsStore& pullSettingsStore,
    PomodoroSettingsStore& pomodoroSettingsStore, PomodoroStore& pomodoroStore, QWidget* parent)
    : OptionsPage(parent)
    , timerStore(timerStore)
    , pomodoroStore(pomodoroStore)
    , modePicker(new SegmentedPicker)
{
    for (const TimerMode mode : allTimerModes)
        modePicker->addSegment(rawValue(mode), rawValue(mode));

    SettingsSection* defaults = form().addSection(QT_TRANSLATE_NOOP("mewt", "timer defaults"));
    defaults->addRow(OptionsSetting::timerDefaultMode, bindSegments(modePicker, modeBinding(pomodoroSettingsStore)));
    const OptionsSettingDefinition quickTime = definition(OptionsSetting::timerQuickTime);
    defaults->addCustomRow(OptionsSetting::timerQuickTime,
        new PomodoroNumberSettingRow(quickTime.title, quickTime.description, QStringLiteral("min"),
            bindSetting<int>(pullSettingsStore, &PullSettingsStore::quickTimeMinutes,
                &PullSettingsStore::setQuickTimeMinutes, &PullSettingsStore::quickTimeMinutesChanged),
            quickTimeRange, quickTimeStep, true));

    addPomodoroDefaultsSection(form(), pomodoroSettingsStore);

    connect(&timerStore, &TimerStore::stateChanged, this, &TimerOptionsPage::scheduleSync);
    connect(&pomodoroStore, &PomodoroStore::planChanged, this, &TimerOptionsPage::scheduleSync);
    sync();
}

void TimerOptionsPage::sync()
{
    // Switching modes under a running timer or a plan would leave the two out of step.
    modePicker->setEnabled(timerStore.state().isIdle() && !pomodoroStore.plan().has_value());
}

} // namespace mewt
