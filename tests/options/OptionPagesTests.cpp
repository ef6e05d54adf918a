#include "PageRig.h"
#include "options/CenteredIntegerField.h"
#include "options/ControlsOptionsPage.h"
#include "options/GeneralOptionsPage.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/SegmentedPicker.h"
#include "options/SettingsForm.h"
#include "options/SettingsRow.h"
#include "options/SoundsOptionsPage.h"
#include "options/TimerOptionsPage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using mewt::testing::PageRig;

namespace {

using PageFactory = std::unique_ptr<OptionsPage> (*)(PageRig&);

std::unique_ptr<OptionsPage> timerPage(PageRig& rig)
{
    return std::make_unique<TimerOptionsPage>(rig.timer, rig.pull, rig.pomodoroSettings, rig.pomodoro);
}
std::unique_ptr<OptionsPage> controlsPage(PageRig& rig)
{
    return std::make_unique<ControlsOptionsPage>(rig.interface);
}
std::unique_ptr<OptionsPage> soundsPage(PageRig& rig)
{
    return std::make_unique<SoundsOptionsPage>(rig.timer, rig.interface, rig.sounds, rig.cats, rig.launcher());
}
std::unique_ptr<OptionsPage> generalPage(PageRig& rig)
{
    return std::make_unique<GeneralOptionsPage>(
        rig.loginItems, rig.interface, &rig.updates, [] {}, [](QWidget*) {}, AboutTexts::current(), rig.launcher());
}

PageFactory pageFor(OptionsCategory category)
{
    switch (category) {
    case OptionsCategory::timer: return timerPage;
    case OptionsCategory::controls: return controlsPage;
    case OptionsCategory::sounds: return soundsPage;
    default: return generalPage;
    }
}

// What a setting's control shows, as the store's raw text: "true", "clock", "25", ...
QString shownValue(QWidget* row)
{
    if (auto* number = qobject_cast<PomodoroNumberSettingRow*>(row))
        return number->field()->text();
    QWidget* control = static_cast<SettingsRow*>(row)->control();
    if (auto* picker = qobject_cast<SegmentedPicker*>(control))
        return picker->currentValue();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
    if (auto* slider = control->findChild<QSlider*>())
        return QString::number(slider->value());
    auto* choice = qobject_cast<QComboBox*>(control);
    if (!choice)
        choice = control->findChild<QComboBox*>();
    return choice->currentData().toString();
}

class OptionPages : public ::testing::TestWithParam<OptionsCategory> {
protected:
    void SetUp() override { rig.defaults.resetWriteCount(); }
    PageRig rig;
};

// Opening a page writes nothing, plays nothing, and shows a row for every setting the catalogue
// files under its category, so a search hit always has somewhere to scroll to.
TEST_P(OptionPages, OpeningWritesNothingAndShowsEveryCatalogueRow)
{
    const std::size_t sounds = rig.mark();
    const auto page = pageFor(GetParam())(rig);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.defaults.writeCount(), 0);
    EXPECT_EQ(rig.mark(), sounds);

    QList<OptionsSetting> expected;
    for (const OptionsSetting setting : allOptionsSettings()) {
        if (definition(setting).category == GetParam())
            expected.append(setting);
    }
    EXPECT_EQ(page->form().registeredSettings(), expected);
}

INSTANTIATE_TEST_SUITE_P(Categories, OptionPages,
    ::testing::Values(
        OptionsCategory::general, OptionsCategory::timer, OptionsCategory::controls, OptionsCategory::sounds),
    [](const ::testing::TestParamInfo<OptionsCategory>& info) { return rawValue(info.param).toStdString(); });

struct OutsideChange {
    const char* name;
    OptionsSetting setting;
    void (*change)(PageRig&);
    QString key;
    QString shown;
};

class ChangedElsewhere : public ::testing::TestWithParam<OutsideChange> {
protected:
    PageRig rig;
};

// A change made in the popover shows on the open page after one turn, and the page writes
// nothing back: the store's own write is the only one.
TEST_P(ChangedElsewhere, ShowsWithoutWritingBack)
{
    const OutsideChange& change = GetParam();
    const auto page = pageFor(definition(change.setting).category)(rig);
    rig.defaults.resetWriteCount();
    const std::size_t sounds = rig.mark();

    change.change(rig);
    QCoreApplication::processEvents();

    EXPECT_EQ(shownValue(page->form().row(change.setting)), change.shown);
    EXPECT_EQ(rig.defaults.writeCount(), 1) << change.key.toStdString();
    EXPECT_EQ(rig.defaults.writeCount(change.key), 1);
    EXPECT_EQ(rig.mark(), sounds);
}

void focusOf1530Seconds(PageRig& rig)
{
    PomodoroConfiguration configuration = rig.pomodoroSettings.configuration();
    configuration.focusSeconds = 1530;
    rig.pomodoroSettings.setConfiguration(configuration);
}

INSTANTIATE_TEST_SUITE_P(Settings, ChangedElsewhere,
    ::testing::Values(OutsideChange { "DefaultMode", OptionsSetting::timerDefaultMode,
                          [](PageRig& rig) { rig.pomodoroSettings.setMode(TimerMode::pomodoro); },
                          PomodoroSettingsStore::modeKey, "pomodoro" },
        OutsideChange { "QuickTime", OptionsSetting::timerQuickTime,
            [](PageRig& rig) { rig.pull.setQuickTimeMinutes(45); }, PullSettingsStore::quickTimeKey, "45" },
        OutsideChange { "FocusInWholeMinutes", OptionsSetting::pomodoroFocus, focusOf1530Seconds,
            PomodoroSettingsStore::configurationKey, "25" },
        OutsideChange { "ContinuousMode", OptionsSetting::pomodoroContinuousMode,
            [](PageRig& rig) { rig.pomodoroSettings.setContinuousModeEnabled(true); },
            PomodoroSettingsStore::continuousModeKey, "true" },
        OutsideChange { "IdleLayout", OptionsSetting::timerIdleLayout,
            [](PageRig& rig) { rig.interface.setTimerIdleLayout(TimerIdleLayout::clock); },
            InterfaceSettingsStore::timerIdleLayoutKey, "clock" },
        OutsideChange { "ZenMode", OptionsSetting::appearanceZenMode,
            [](PageRig& rig) { rig.interface.setIsZenModeEnabled(true); }, InterfaceSettingsStore::zenModeKey, "true" },
        OutsideChange { "InterfaceSounds", OptionsSetting::soundsInterface,
            [](PageRig& rig) { rig.interface.setTactileSoundsEnabled(false); },
            InterfaceSettingsStore::tactileSoundsEnabledKey, "false" },
        OutsideChange { "Volume", OptionsSetting::soundsVolume,
            [](PageRig& rig) { rig.interface.setTactileSoundVolume(0.35); },
            InterfaceSettingsStore::tactileSoundVolumeKey, "7" },
        OutsideChange { "CompletionSoundPreviewsNothing", OptionsSetting::soundsCompletion,
            [](PageRig& rig) { rig.interface.setCompletionSound(CompletionSound::catChitter); },
            InterfaceSettingsStore::completionSoundKey, rawValue(CompletionSound::catChitter) },
        OutsideChange { "ShowBefore", OptionsSetting::soundsShowBefore,
            [](PageRig& rig) { rig.interface.setEndingCueLeadTimeSeconds(300); },
            InterfaceSettingsStore::endingCueLeadTimeKey, "300" },
        OutsideChange { "Overdue", OptionsSetting::soundsOverdue,
            [](PageRig& rig) { rig.interface.setPomodoroOverdueCueIntervalMinutes(60); },
            InterfaceSettingsStore::overdueCueIntervalKey, "60" },
        OutsideChange { "Language", OptionsSetting::generalLanguage,
            [](PageRig& rig) { rig.interface.setLanguage(AppLanguage::japanese); }, InterfaceSettingsStore::languageKey,
            "ja" }),
    [](const ::testing::TestParamInfo<OutsideChange>& info) { return std::string(info.param.name); });

struct UserChoice {
    const char* name;
    OptionsSetting setting;
    QString key;
    QString stored; // shown by the control afterwards
    bool byScreenReader = false; // its toggle action, which is no click
};

class ChosenByUser : public ::testing::TestWithParam<UserChoice> {
protected:
    PageRig rig;
};

// One click, key or pick is one write, and the control then shows what the store kept.
TEST_P(ChosenByUser, WritesExactlyOnce)
{
    const UserChoice& choice = GetParam();
    const auto page = pageFor(definition(choice.setting).category)(rig);
    page->show();
    rig.defaults.resetWriteCount();

    QWidget* control = static_cast<SettingsRow*>(page->form().row(choice.setting))->control();
    if (choice.byScreenReader) {
        auto* picker = qobject_cast<SegmentedPicker*>(control);
        QAccessible::queryAccessibleInterface(picker ? picker->segment(picker->count() - 1) : control)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
    } else if (auto* picker = qobject_cast<SegmentedPicker*>(control)) {
        QTest::mouseClick(picker->segment(picker->count() - 1), Qt::LeftButton);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
    } else if (auto* slider = control->findChild<QSlider*>()) {
        QTest::keyClick(slider, Qt::Key_Left);
    } else {
        auto* combo
            = qobject_cast<QComboBox*>(control) ? qobject_cast<QComboBox*>(control) : control->findChild<QComboBox*>();
        QTest::keyClick(combo, Qt::Key_Down);
    }
    QCoreApplication::processEvents();

    EXPECT_EQ(rig.defaults.writeCount(), 1);
    EXPECT_EQ(rig.defaults.writeCount(choice.key), 1);
    EXPECT_EQ(shownValue(page->form().row(choice.setting)), choice.stored);
}

INSTANTIATE_TEST_SUITE_P(Controls, ChosenByUser,
    ::testing::Values(
        UserChoice { "DefaultMode", OptionsSetting::timerDefaultMode, PomodoroSettingsStore::modeKey, "pomodoro" },
        UserChoice { "AutoStartFocus", OptionsSetting::pomodoroAutoStartFocus,
            PomodoroSettingsStore::autoStartsNextFocusKey, "true" },
        UserChoice {
            "ModeByScreenReader", OptionsSetting::timerDefaultMode, PomodoroSettingsStore::modeKey, "pomodoro", true },
        UserChoice { "EndingCueByScreenReader", OptionsSetting::soundsEndingCue,
            InterfaceSettingsStore::showsEndingCueKey, "false", true },
        UserChoice {
            "IdleLayout", OptionsSetting::timerIdleLayout, InterfaceSettingsStore::timerIdleLayoutKey, "clock" },
        UserChoice { "AutoDismiss", OptionsSetting::appearanceAutoDismiss,
            InterfaceSettingsStore::automaticallyDismissesControlsKey, "false" },
        UserChoice { "VolumeByKey", OptionsSetting::soundsVolume, InterfaceSettingsStore::tactileSoundVolumeKey, "19" },
        UserChoice {
            "ShowBefore", OptionsSetting::soundsShowBefore, InterfaceSettingsStore::endingCueLeadTimeKey, "120" },
        UserChoice { "EndingCue", OptionsSetting::soundsEndingCue, InterfaceSettingsStore::showsEndingCueKey, "false" },
        UserChoice { "Language", OptionsSetting::generalLanguage, InterfaceSettingsStore::languageKey, "ja" }),
    [](const ::testing::TestParamInfo<UserChoice>& info) { return std::string(info.param.name); });

} // namespace
