#include "PageRig.h"
#include "options/CenteredIntegerField.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/SegmentedPicker.h"
#include "options/SettingsForm.h"
#include "options/SoundsOptionsPage.h"
#include "options/TimerOptionsPage.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::PageRig;

namespace {

using namespace std::chrono_literals;

struct LockCase {
    const char* name;
    void (*arrange)(PageRig&);
    bool unlocked;
};

class DefaultModeLock : public ::testing::TestWithParam<LockCase> {
protected:
    PageRig rig;
    TimerOptionsPage page { rig.timer, rig.pull, rig.pomodoroSettings, rig.pomodoro };
};

// The default mode may change only while no timer runs or waits paused and no plan exists, and
// the page follows the timer and the plan as they start and end.
TEST_P(DefaultModeLock, FollowsTheTimerAndThePlan)
{
    GetParam().arrange(rig);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.defaultModePicker()->isEnabled(), GetParam().unlocked);
}

INSTANTIATE_TEST_SUITE_P(States, DefaultModeLock,
    ::testing::Values(LockCase { "IdleWithoutPlan", [](PageRig&) {}, true },
        LockCase { "Running", [](PageRig& rig) { rig.timer.addTime(300, rig.clock.now()); }, false },
        LockCase { "Paused",
            [](PageRig& rig) {
                rig.timer.addTime(300, rig.clock.now());
                rig.timer.pause(rig.clock.now() + 10s);
            },
            false },
        // The plan outlives its timer here because nothing passes the timer's end on to it.
        LockCase { "IdleWithPlan",
            [](PageRig& rig) {
                rig.pomodoro.commitSessions(2, rig.clock.now());
                rig.timer.cancel(rig.clock.now());
            },
            false },
        LockCase { "PlanEnded",
            [](PageRig& rig) {
                rig.pomodoro.commitSessions(2, rig.clock.now());
                rig.pomodoro.endPlan();
            },
            true }),
    [](const ::testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

class PomodoroRows : public ::testing::Test {
protected:
    void type(OptionsSetting setting, const QString& text)
    {
        auto* row = static_cast<PomodoroNumberSettingRow*>(page.form().row(setting));
        row->field()->setFocus();
        row->field()->selectAll();
        QTest::keyClicks(row->field(), text);
        QTest::keyClick(row->field(), Qt::Key_Return);
    }
    PageRig rig;
    TimerOptionsPage page { rig.timer, rig.pull, rig.pomodoroSettings, rig.pomodoro };
};

// A row rewrites its own field only; the others keep even lengths that are no whole minutes.
TEST_F(PomodoroRows, EachRowWritesOneFieldAndKeepsTheOthers)
{
    page.show();
    rig.pomodoroSettings.setConfiguration({ 1530, 330, 5430, 4 });
    type(OptionsSetting::pomodoroLongBreakEvery, "6");
    EXPECT_EQ(rig.pomodoroSettings.configuration(), (PomodoroConfiguration { 1530, 330, 5430, 6 }));
    type(OptionsSetting::pomodoroFocus, "30");
    EXPECT_EQ(rig.pomodoroSettings.configuration(), (PomodoroConfiguration { 1800, 330, 5430, 6 }));
    // A 90 minute long break set elsewhere shows as stored and stays until this row is edited.
    EXPECT_EQ(
        static_cast<PomodoroNumberSettingRow*>(page.form().row(OptionsSetting::pomodoroLongBreak))->field()->text(),
        "90");
}

class SoundsPage : public ::testing::Test {
protected:
    void SetUp() override { page.show(); }
    PageRig rig;
    SoundsOptionsPage page { rig.timer, rig.interface, rig.sounds, rig.cats, rig.launcher() };
};

// Picking a sound stores it and lets the user hear it once; the play button replays the stored one.
TEST_F(SoundsPage, CompletionSoundPlaysOnlyOnAUsersChoice)
{
    rig.defaults.resetWriteCount();
    std::size_t mark = rig.mark();
    QTest::keyClick(page.completionPicker(), Qt::Key_Down);
    EXPECT_EQ(rig.interface.completionSound(), CompletionSound::catChitter);
    EXPECT_EQ(rig.defaults.writeCount(InterfaceSettingsStore::completionSoundKey), 1);
    EXPECT_EQ(rig.catStartsSince(mark), 1);
    EXPECT_TRUE(rig.tactileSince(mark).empty());

    mark = rig.mark();
    QTest::keyClick(page.completionPicker(), Qt::Key_Up);
    EXPECT_EQ(rig.tactileSince(mark), std::vector { TactileSound::chime });
    EXPECT_EQ(rig.catStartsSince(mark), 0);

    mark = rig.mark();
    QTest::mouseClick(page.previewButton(), Qt::LeftButton);
    EXPECT_EQ(rig.tactileSince(mark), std::vector { TactileSound::chime });

    // With interface sounds off the controls stay usable and silent.
    rig.interface.setTactileSoundsEnabled(false);
    mark = rig.mark();
    QTest::mouseClick(page.previewButton(), Qt::LeftButton);
    QTest::keyClick(page.completionPicker(), Qt::Key_Down);
    EXPECT_EQ(rig.mark(), mark);
    EXPECT_TRUE(page.previewButton()->isEnabled());
}

// A drag sounds a press when it starts and the release when it ends, at the new volume, and
// writes once; the figure follows the thumb meanwhile.
TEST_F(SoundsPage, VolumeDragIsWrappedInPressAndRelease)
{
    rig.defaults.resetWriteCount();
    QSlider* slider = page.volumeSlider();
    const std::size_t mark = rig.mark();
    slider->setSliderDown(true);
    slider->setSliderPosition(7);
    EXPECT_EQ(page.volumePercent()->text(), "35%");
    EXPECT_EQ(rig.defaults.writeCount(), 0);
    slider->setSliderDown(false);

    EXPECT_EQ(rig.tactileSince(mark), (std::vector { TactileSound::press, TactileSound::release }));
    EXPECT_EQ(rig.defaults.writeCount(InterfaceSettingsStore::tactileSoundVolumeKey), 1);
    EXPECT_DOUBLE_EQ(rig.interface.tactileSoundVolume(), 0.35);
    EXPECT_FLOAT_EQ(rig.engine.commandLog().back().gain, 0.35F);
}

// A screen reader hears and sets the volume in percent, in the store's steps, and writes once.
TEST_F(SoundsPage, ScreenReaderUsesPercent)
{
    rig.interface.setTactileSoundVolume(0.35);
    QCoreApplication::processEvents();
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(page.volumeSlider());
    ASSERT_NE(slider->valueInterface(), nullptr);
    // Named itself, not only the row around it: a reader lands on the slider.
    EXPECT_EQ(slider->text(QAccessible::Name), "volume");
    EXPECT_EQ(slider->text(QAccessible::Value), "35%");
    EXPECT_EQ(slider->valueInterface()->currentValue().toInt(), 35);
    EXPECT_EQ(slider->valueInterface()->maximumValue().toInt(), 100);
    EXPECT_EQ(slider->valueInterface()->minimumStepSize().toInt(), 5);

    rig.defaults.resetWriteCount();
    slider->valueInterface()->setCurrentValue(62);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(rig.interface.tactileSoundVolume(), 0.6);
    EXPECT_EQ(rig.defaults.writeCount(InterfaceSettingsStore::tactileSoundVolumeKey), 1);
    EXPECT_EQ(slider->text(QAccessible::Value), "60%");
}

// Switches off disable what depends on them and keep their values to show again.
TEST_F(SoundsPage, DependentControlsFollowTheirSwitches)
{
    rig.interface.setTactileSoundVolume(0.35);
    rig.interface.setEndingCueLeadTimeSeconds(120);
    rig.interface.setTactileSoundsEnabled(false);
    rig.interface.setShowsEndingCue(false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(page.volumeSlider()->isEnabled());
    EXPECT_TRUE(page.volumePercent()->isEnabled());
    EXPECT_EQ(page.volumePercent()->text(), "35%");
    EXPECT_FALSE(page.leadTimePicker()->isEnabled());
    EXPECT_FALSE(page.overduePicker()->isEnabled());

    rig.interface.setShowsEndingCue(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(page.leadTimePicker()->isEnabled());
    EXPECT_EQ(page.leadTimePicker()->currentText(), "2 min");
}

TEST(VolumePercentText, RoundsHalvesAwayFromZero)
{
    const std::pair<double, const char*> cases[]
        = { { 0.0, "0%" }, { 0.35, "35%" }, { 1.0, "100%" }, { 0.125, "13%" }, { 0.004, "0%" } };
    for (const auto& [volume, text] : cases)
        EXPECT_EQ(SoundsOptionsPage::volumePercentText(volume), text) << volume;
}

// The desktop's notification settings open when we know how; otherwise one line says so. A
// problem the notification service reports shows in the same place until it is cleared.
TEST_F(SoundsPage, NotificationSettingsAndProblemsShowUnderTheButton)
{
    EXPECT_FALSE(page.notificationsLine()->isVisibleTo(&page));
    QTest::mouseClick(page.notificationsButton(), Qt::LeftButton);
    EXPECT_EQ(rig.launched, QStringList { "/usr/bin/gnome-control-center" });
    EXPECT_FALSE(page.notificationsLine()->isVisibleTo(&page));

    rig.notifications.onSchedulingError(QStringLiteral("notifications are off <b>here</b>"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(page.notificationsLine()->isVisibleTo(&page));
    EXPECT_EQ(page.notificationsLine()->text(), "notifications are off <b>here</b>");
    EXPECT_EQ(page.notificationsLine()->textFormat(), Qt::PlainText);
    rig.notifications.onSchedulingError(std::nullopt);
    QCoreApplication::processEvents();
    EXPECT_FALSE(page.notificationsLine()->isVisibleTo(&page));

    rig.desktop = QStringLiteral("unknown-desktop");
    SoundsOptionsPage elsewhere { rig.timer, rig.interface, rig.sounds, rig.cats, rig.launcher() };
    elsewhere.openNotificationSettings();
    EXPECT_TRUE(elsewhere.notificationsLine()->isVisibleTo(&elsewhere));
    EXPECT_FALSE(elsewhere.notificationsLine()->text().isEmpty());
}

} // namespace
