#include "options/ControlsOptionsPage.h"

#include "model/InterfaceSettingsStore.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>

namespace mewt {

namespace {

struct Switch {
    OptionsSetting setting;
    bool (InterfaceSettingsStore::*read)() const;
    void (InterfaceSettingsStore::*write)(bool);
    void (InterfaceSettingsStore::*changed)(bool);
};

constexpr Switch popoverSwitches[] = {
    { OptionsSetting::appearanceAutoDismiss, &InterfaceSettingsStore::automaticallyDismissesControls,
        &InterfaceSettingsStore::setAutomaticallyDismissesControls,
        &InterfaceSettingsStore::automaticallyDismissesControlsChanged },
    { OptionsSetting::appearanceZenMode, &InterfaceSettingsStore::isZenModeEnabled,
        &InterfaceSettingsStore::setIsZenModeEnabled, &InterfaceSettingsStore::isZenModeEnabledChanged },
    { OptionsSetting::appearanceInstructions, &InterfaceSettingsStore::showsTimerInstructions,
        &InterfaceSettingsStore::setShowsTimerInstructions, &InterfaceSettingsStore::showsTimerInstructionsChanged },
};

QCheckBox* switchFor(InterfaceSettingsStore& store, const Switch& item)
{
    auto* toggle = new QCheckBox;
    bindToggle(toggle, bindSetting<bool>(store, item.read, item.write, item.changed));
    return toggle;
}

SettingBinding<QString> layoutBinding(InterfaceSettingsStore& store)
{
    return {
        [&store] { return rawValue(store.timerIdleLayout()); },
        [&store](const QString& raw) {
            if (const auto layout = timerIdleLayoutFromRawValue(raw))
                store.setTimerIdleLayout(*layout);
        },
        [&store](QObject* context, std::function<void()> refresh) {
            QObject::connect(
                &store, &InterfaceSettingsStore::timerIdleLayoutChanged, context, [refresh] { refresh(); });
        },
    };
}

} // namespace

ControlsOptionsPage::ControlsOptionsPage(InterfaceSettingsStore& interfaceSettingsStore, QWidget* parent)
    : OptionsPage(parent)
{
    auto* layoutChoice = new QComboBox;
    for (const TimerIdleLayout layout : allTimerIdleLayouts)
        layoutChoice->addItem(rawValue(layout), rawValue(layout)); // the raw names are what it shows

    SettingsSection* layout = form().addSection(QT_TRANSLATE_NOOP("mewt", "layout"));
    layout->addRow(OptionsSetting::timerIdleLayout, bindChoice(layoutChoice, layoutBinding(interfaceSettingsStore)));
    layout->addRow(OptionsSetting::timerModePicker,
        switchFor(interfaceSettingsStore,
            { OptionsSetting::timerModePicker, &InterfaceSettingsStore::showsTimerModePicker,
                &InterfaceSettingsStore::setShowsTimerModePicker,
                &InterfaceSettingsStore::showsTimerModePickerChanged }));

    SettingsSection* popover = form().addSection(QT_TRANSLATE_NOOP("mewt", "popover"));
    for (const Switch& item : popoverSwitches)
        popover->addRow(item.setting, switchFor(interfaceSettingsStore, item));
}

} // namespace mewt
