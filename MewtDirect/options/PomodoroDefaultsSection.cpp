#include "options/PomodoroDefaultsSection.h"

#include "model/PomodoroSettingsStore.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsLabel.h"
#include "options/SettingsSection.h"

#include <QCheckBox>

namespace mewt {

namespace {

constexpr int secondsPerMinute = 60;

struct NumberRow {
    OptionsSetting setting;
    const char* suffix;
    int PomodoroConfiguration::*field;
    int unit; // stored units per shown unit
    PomodoroNumberSettingRow::Range range;
    int step;
    bool showsStepper;
};

// Focus and short break up to three hours; a long break up to one; two to eight sessions.
constexpr NumberRow numberRows[] = {
    { OptionsSetting::pomodoroFocus, "min", &PomodoroConfiguration::focusSeconds, secondsPerMinute, { 5, 180 }, 5,
        true },
    { OptionsSetting::pomodoroShortBreak, "min", &PomodoroConfiguration::shortBreakSeconds, secondsPerMinute,
        { 5, 180 }, 5, true },
    { OptionsSetting::pomodoroLongBreak, "min", &PomodoroConfiguration::longBreakSeconds, secondsPerMinute, { 5, 60 },
        5, true },
    { OptionsSetting::pomodoroLongBreakEvery, "focus sessions", &PomodoroConfiguration::blocksBeforeLongBreak, 1,
        { 2, 8 }, 1, false },
};

SettingBinding<int> configurationField(PomodoroSettingsStore& store, int PomodoroConfiguration::*field, int unit)
{
    return {
        // Truncated toward zero: 1530 s shows as 25 minutes.
        [&store, field, unit] { return store.configuration().*field / unit; },
        [&store, field, unit](int value) {
            PomodoroConfiguration changed = store.configuration();
            changed.*field = value * unit;
            store.setConfiguration(changed);
        },
        [&store](QObject* context, std::function<void()> refresh) {
            QObject::connect(&store, &PomodoroSettingsStore::configurationChanged, context, [refresh] { refresh(); });
        },
    };
}

struct FlowSwitch {
    OptionsSetting setting;
    bool (PomodoroSettingsStore::*read)() const;
    void (PomodoroSettingsStore::*write)(bool);
    void (PomodoroSettingsStore::*changed)(bool);
};

// As shown: the reverse of the catalogue's order.
constexpr FlowSwitch flowSwitches[] = {
    { OptionsSetting::pomodoroContinuousMode, &PomodoroSettingsStore::isContinuousModeEnabled,
        &PomodoroSettingsStore::setContinuousModeEnabled, &PomodoroSettingsStore::isContinuousModeEnabledChanged },
    { OptionsSetting::pomodoroAutoStartBreak, &PomodoroSettingsStore::autoStartsNextBreak,
        &PomodoroSettingsStore::setAutoStartsNextBreak, &PomodoroSettingsStore::autoStartsNextBreakChanged },
    { OptionsSetting::pomodoroAutoStartFocus, &PomodoroSettingsStore::autoStartsNextFocus,
        &PomodoroSettingsStore::setAutoStartsNextFocus, &PomodoroSettingsStore::autoStartsNextFocusChanged },
};

} // namespace

void addPomodoroDefaultsSection(SettingsForm& form, PomodoroSettingsStore& settings)
{
    SettingsSection* lengths = form.addSection();
    lengths->setHeaderWidget(new SettingsLabel(QStringLiteral("pomodoro defaults"),
        QStringLiteral("changes apply to future phases while continuous mode is running")));
    for (const NumberRow& row : numberRows) {
        // The catalogue's titles; these rows explain nothing further.
        lengths->addCustomRow(row.setting,
            new PomodoroNumberSettingRow(definition(row.setting).title, std::nullopt, QString::fromUtf8(row.suffix),
                configurationField(settings, row.field, row.unit), row.range, row.step, row.showsStepper));
    }

    SettingsSection* flow = form.addSection(QT_TRANSLATE_NOOP("mewt", "pomodoro flow"));
    for (const FlowSwitch& flowSwitch : flowSwitches) {
        flow->addRow(flowSwitch.setting,
            bindToggle(
                new QCheckBox, bindSetting<bool>(settings, flowSwitch.read, flowSwitch.write, flowSwitch.changed)));
    }
}

} // namespace mewt
