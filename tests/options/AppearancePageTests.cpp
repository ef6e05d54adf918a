#include "AppearanceRig.h"
#include "options/CatBedGridPicker.h"
#include "options/CatThemePicker.h"
#include "options/PickerTile.h"
#include "options/SettingsForm.h"

#include <QComboBox>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::AppearanceRig;

namespace {

class AppearancePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.defaults.seed(ThemeStore::selectedKey, "calico");
        rig.defaults.seed(CatBedStore::selectedKey, "nest");
        rig.defaults.seed(PopoverAppearanceStore::selectedKey, "dark");
        rig.defaults.seed(TimeDisplaySettingsStore::styleKey, "clock");
        rig.build();
        themeChanges = 0;
        rig.themes->onSelectionChange = [this](const CatTheme&) { ++themeChanges; };
        styleChanges = 0;
        rig.timeDisplay->onChange = [this](TimeDisplayStyle) { ++styleChanges; };
    }

    AppearanceRig rig;
    int themeChanges = 0;
    int styleChanges = 0;
};

// Opening shows what is stored and writes nothing, not even the value each control already shows.
TEST_F(AppearancePage, OpeningShowsTheStoresAndWritesNothing)
{
    AppearanceOptionsPage& page = rig.open();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.defaults.writeCount(), 0);
    EXPECT_EQ(themeChanges + styleChanges, 0);
    EXPECT_EQ(page.catPicker().selection(), "calico");
    EXPECT_EQ(page.bedPicker().selection(), "nest");
    EXPECT_EQ(page.popoverChoice().currentData().toString(), "dark");
    EXPECT_EQ(page.timeStyleChoice().currentData().toString(), "clock");
    EXPECT_EQ(page.bedPicker().accentColor(), CatTheme::withId("calico").accentColor);
}

// The rows a search hit can scroll to are exactly the catalogue's appearance settings.
TEST_F(AppearancePage, RegistersEveryAppearanceSettingOfTheCatalogue)
{
    AppearanceOptionsPage& page = rig.open();
    QList<OptionsSetting> expected;
    for (const OptionsSetting setting : allOptionsSettings()) {
        if (definition(setting).category == OptionsCategory::appearance)
            expected.append(setting);
    }
    QList<OptionsSetting> shown = page.form().registeredSettings();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
}

struct OutsideChange {
    const char* name;
    QString key;
    std::function<void(AppearanceRig&)> change;
    std::function<QString(AppearanceOptionsPage&)> shown;
    QString expected;
};

class OutsideChanges : public AppearancePage, public ::testing::WithParamInterface<OutsideChange> { };

// A change made elsewhere (the popover, another window) shows at once and is not written back.
TEST_P(OutsideChanges, ShowWithoutWritingBack)
{
    const OutsideChange& c = GetParam();
    AppearanceOptionsPage& page = rig.open();
    c.change(rig);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.shown(page), c.expected);
    EXPECT_EQ(rig.defaults.writeCount(c.key), 1); // the store's own write only
    EXPECT_EQ(rig.defaults.writeCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Settings, OutsideChanges,
    ::testing::Values(OutsideChange { "Theme", ThemeStore::selectedKey,
                          [](AppearanceRig& r) { r.themes->setSelected(CatTheme::withId("siamese")); },
                          [](AppearanceOptionsPage& p) { return p.catPicker().selection(); }, "siamese" },
        OutsideChange { "ThemeAccentOnBeds", ThemeStore::selectedKey,
            [](AppearanceRig& r) { r.themes->setSelected(CatTheme::withId("siamese")); },
            [](AppearanceOptionsPage& p) { return p.bedPicker().accentColor().name(); },
            CatTheme::withId("siamese").accentColor.name() },
        OutsideChange { "Bed", CatBedStore::selectedKey,
            [](AppearanceRig& r) { r.beds->setSelected(CatBed::withId("sofa")); },
            [](AppearanceOptionsPage& p) { return p.bedPicker().selection(); }, "sofa" },
        OutsideChange { "Popover", PopoverAppearanceStore::selectedKey,
            [](AppearanceRig& r) { r.popover->setSelected(PopoverAppearance::light); },
            [](AppearanceOptionsPage& p) { return p.popoverChoice().currentData().toString(); }, "light" },
        OutsideChange { "TimeStyle", TimeDisplaySettingsStore::styleKey,
            [](AppearanceRig& r) { r.timeDisplay->setStyle(TimeDisplayStyle::totalMinutes); },
            [](AppearanceOptionsPage& p) { return p.timeStyleChoice().currentText(); }, "123:11" }),
    [](const ::testing::TestParamInfo<OutsideChange>& info) { return std::string(info.param.name); });

struct UserChoice {
    const char* name;
    QString key;
    std::function<void(AppearanceOptionsPage&)> choose;
    QString stored;
};

class UserChoices : public AppearancePage, public ::testing::WithParamInterface<UserChoice> { };

// One choice writes once; making the same choice again writes nothing more.
TEST_P(UserChoices, WriteExactlyOnce)
{
    const UserChoice& c = GetParam();
    AppearanceOptionsPage& page = rig.open();
    page.show();
    c.choose(page);
    EXPECT_EQ(rig.defaults.stored(c.key).toString(), c.stored);
    EXPECT_EQ(rig.defaults.writeCount(c.key), 1);
    EXPECT_EQ(rig.defaults.writeCount(), 1);
    const int callbacks = themeChanges + styleChanges;
    EXPECT_LE(callbacks, 1);
    QCoreApplication::processEvents();
    if (QString(c.name).startsWith("Click")) {
        c.choose(page); // the tile now chosen
        EXPECT_EQ(rig.defaults.writeCount(), 1);
        EXPECT_EQ(themeChanges + styleChanges, callbacks);
    }
}

void clickTile(TilePicker& picker, const QString& id)
{
    QTest::mouseClick(picker.tile(id), Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(Controls, UserChoices,
    ::testing::Values(UserChoice { "ClickCat", ThemeStore::selectedKey,
                          [](AppearanceOptionsPage& p) { clickTile(p.catPicker(), "tortie"); }, "tortie" },
        UserChoice { "ClickBed", CatBedStore::selectedKey,
            [](AppearanceOptionsPage& p) { clickTile(p.bedPicker(), "donut"); }, "donut" },
        UserChoice { "KeyOnPopover", PopoverAppearanceStore::selectedKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(&p.popoverChoice(), Qt::Key_Up); }, "light" },
        UserChoice { "KeyOnTimeStyle", TimeDisplaySettingsStore::styleKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(&p.timeStyleChoice(), Qt::Key_Down); }, "totalMinutes" },
        UserChoice { "ArrowOnBeds", CatBedStore::selectedKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(p.bedPicker().tile("nest"), Qt::Key_Up); }, "lounger" }),
    [](const ::testing::TestParamInfo<UserChoice>& info) { return std::string(info.param.name); });

// Choosing a cat tells the shell (through the store's callback) and recolours both grids.
TEST_F(AppearancePage, ChoosingACatRecoloursBothGrids)
{
    AppearanceOptionsPage& page = rig.open();
    page.show();
    clickTile(page.catPicker(), "gray-tabby");
    const QColor accent = CatTheme::withId("gray-tabby").accentColor;
    EXPECT_EQ(themeChanges, 1);
    EXPECT_EQ(page.catPicker().accentColor(), accent);
    EXPECT_EQ(page.bedPicker().accentColor(), accent);
    EXPECT_EQ(page.bedPicker().tile("nest")->accentColor(), accent);
}

} // namespace
