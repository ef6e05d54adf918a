#include "OptionsRig.h"
#include "model/InterfaceSettingsStore.h"
#include "options/SettingBinders.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::OptionsRig;

namespace {

// Every binder must write once per user action and never because the store changed or the page
// was built.
class Binders : public ::testing::Test {
protected:
    OptionsRig rig;
    InterfaceSettingsStore interface {
        rig.defaults, { AppLanguage::system }
    };

    SettingBinding<bool> zen()
    {
        return bindSetting<bool>(interface, &InterfaceSettingsStore::isZenModeEnabled,
            &InterfaceSettingsStore::setIsZenModeEnabled, &InterfaceSettingsStore::isZenModeEnabledChanged);
    }
    SettingBinding<QString> completion()
    {
        return { [this] { return rawValue(interface.completionSound()); },
            [this](const QString& raw) {
                if (const auto sound = completionSoundFromRawValue(raw))
                    interface.setCompletionSound(*sound);
            },
            [this](QObject* context, std::function<void()> refresh) {
                QObject::connect(
                    &interface, &InterfaceSettingsStore::completionSoundChanged, context, [refresh] { refresh(); });
            } };
    }
    SettingBinding<int> stepDistance()
    {
        return bindSetting<int>(rig.pull, &PullSettingsStore::stepDistancePoints,
            &PullSettingsStore::setStepDistancePoints, &PullSettingsStore::stepDistancePointsChanged);
    }
};

TEST_F(Binders, ToggleWritesOnClickOnly)
{
    const QString key = InterfaceSettingsStore::zenModeKey;
    QCheckBox box("zen mode");
    box.adjustSize();
    bindToggle(&box, zen());
    EXPECT_EQ(rig.writes(key), 0);

    interface.setIsZenModeEnabled(true);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(rig.writes(key), 1); // the store's own write only

    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_FALSE(interface.isZenModeEnabled());
    EXPECT_EQ(rig.writes(key), 2);
}

TEST_F(Binders, ChoiceWritesOnActivationOnly)
{
    const QString key = InterfaceSettingsStore::completionSoundKey;
    QComboBox box;
    for (const CompletionSound sound : allCompletionSounds)
        box.addItem(displayName(sound), rawValue(sound));
    bindChoice(&box, completion());
    EXPECT_EQ(box.currentData().toString(), "ding");

    interface.setCompletionSound(CompletionSound::catChitter);
    EXPECT_EQ(box.currentData().toString(), "catChitter");
    EXPECT_EQ(rig.writes(key), 1);

    Q_EMIT box.activated(0);
    EXPECT_EQ(interface.completionSound(), CompletionSound::ding);
    EXPECT_EQ(rig.writes(key), 2);
}

TEST_F(Binders, SliderWritesAtTheEndOfADragOrAtOnceForAKey)
{
    const QString key = PullSettingsStore::stepDistanceKey;
    QSlider slider(Qt::Horizontal);
    slider.setRange(20, 140);
    slider.setSingleStep(20);
    bindSlider(&slider, stepDistance());

    slider.setSliderDown(true);
    slider.setSliderPosition(60);
    slider.setSliderPosition(100);
    rig.pull.setStepDistancePoints(40); // ignored while dragging
    EXPECT_EQ(slider.sliderPosition(), 100);
    slider.setSliderDown(false);
    EXPECT_EQ(rig.pull.stepDistancePoints(), 100);
    EXPECT_EQ(rig.writes(key), 2);

    slider.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.pull.stepDistancePoints(), 120);
    EXPECT_EQ(slider.value(), 120);
    EXPECT_EQ(rig.writes(key), 3);
}

// A page long enough to scroll, with rows in three sections.
class Form : public ::testing::Test {
protected:
    Form()
    {
        for (const char* header : { "timer defaults", "pomodoro flow", "sounds" }) {
            SettingsSection* section = form.addSection(header);
            for (int i = 0; i < 4; ++i)
                section->addRow(settings.at(next++), new QCheckBox);
        }
        form.resize(400, 300);
    }
    const std::array<OptionsSetting, optionsSettingCount>& settings = allOptionsSettings();
    size_t next = 0;
    SettingsForm form;

    // Where the row's centre sits in the viewport, after scrolling.
    int rowCentreInViewport(OptionsSetting setting)
    {
        QWidget* row = form.row(setting);
        return row->mapTo(form.viewport(), QPoint(0, row->height() / 2)).y();
    }
};

TEST_F(Form, AnimatesTheScrollWhenMotionIsWelcome)
{
    form.show();
    ASSERT_TRUE(form.scrollTo(settings.at(6)));
    EXPECT_TRUE(form.isScrollAnimating());
    form.hide();
    ASSERT_TRUE(form.scrollTo(settings.at(0)));
    EXPECT_FALSE(form.isScrollAnimating());
}

TEST_F(Form, RegistersEveryRowUnderItsSetting)
{
    EXPECT_EQ(form.registeredSettings().size(), 12);
    EXPECT_NE(form.row(settings.at(11)), nullptr);
    EXPECT_EQ(form.row(settings.at(12)), nullptr);
    EXPECT_FALSE(form.scrollTo(settings.at(12)));
}

// The page is scrolled before it was ever shown or laid out, as when a hit opens a new page.
TEST_F(Form, ScrollToCentresTheRowOrStopsAtTheEnds)
{
    qputenv("MEWT_REDUCED_MOTION", "1");
    const auto restore = qScopeGuard([] { qputenv("MEWT_REDUCED_MOTION", "0"); });
    form.show();
    const struct {
        size_t index;
        bool centred;
        bool atTop;
        bool atBottom;
    } cases[] = { { 6, true, false, false }, { 0, false, true, false }, { 11, false, false, true },
        { 5, true, false, false } };
    for (const auto& c : cases) {
        ASSERT_TRUE(form.scrollTo(settings.at(c.index)));
        ASSERT_FALSE(form.isScrollAnimating());
        const QScrollBar* bar = form.verticalScrollBar();
        EXPECT_EQ(bar->value() == bar->minimum(), c.atTop) << c.index;
        EXPECT_EQ(bar->value() == bar->maximum(), c.atBottom) << c.index;
        if (c.centred) {
            EXPECT_NEAR(rowCentreInViewport(settings.at(c.index)), form.viewport()->height() / 2, 1) << c.index;
        }
    }
}

} // namespace
