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

// Over stores that an earlier run left at calico, nest, dark and clock.
class AppearancePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.defaults.seed(ThemeStore::selectedKey, "calico");
        rig.defaults.seed(CatBedStore::selectedKey, "nest");
        rig.defaults.seed(PopoverAppearanceStore::selectedKey, "dark");
        rig.defaults.seed(TimeDisplaySettingsStore::styleKey, "clock");
        rig.open().show();
        rig.themes->onSelectionChange = [this](const CatTheme&) { ++callbacks; };
        rig.timeDisplay->onChange = [this](TimeDisplayStyle) { ++callbacks; };
    }
    AppearanceOptionsPage& page() { return *rig.page; }

    AppearanceRig rig;
    int callbacks = 0;
};

void clickTile(TilePicker& picker, const QString& id)
{
    QTest::mouseClick(picker.tile(id), Qt::LeftButton);
}

// Opening shows what is stored and writes nothing; the rows a search hit can scroll to are exactly
// the catalogue's appearance settings.
TEST_F(AppearancePage, OpensOnTheStoresWithoutWriting)
{
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.defaults.writeCount(), 0);
    EXPECT_EQ(callbacks, 0);
    EXPECT_EQ(page().catPicker().selection(), "calico");
    EXPECT_EQ(page().bedPicker().selection(), "nest");
    EXPECT_EQ(page().popoverChoice().currentData().toString(), "dark");
    EXPECT_EQ(page().timeStyleChoice().currentText(), "1:00:00");
    EXPECT_EQ(page().bedPicker().accentColor(), CatTheme::withId("calico").accentColor);

    QList<OptionsSetting> expected;
    for (const OptionsSetting setting : allOptionsSettings()) {
        if (definition(setting).category == OptionsCategory::appearance)
            expected.append(setting);
    }
    QList<OptionsSetting> shown = page().form().registeredSettings();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
    // A hit for "bed" centres the label and the grid together.
    EXPECT_TRUE(page().form().row(OptionsSetting::appearanceBed)->isAncestorOf(&page().bedPicker()));
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
    c.change(rig);
    QCoreApplication::processEvents();
    EXPECT_EQ(c.shown(page()), c.expected);
    EXPECT_EQ(rig.defaults.writeCount(c.key), 1); // the store's own write only
    EXPECT_EQ(rig.defaults.writeCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Settings, OutsideChanges,
    ::testing::Values(OutsideChange { "Theme", ThemeStore::selectedKey,
                          [](AppearanceRig& r) { r.themes->setSelected(CatTheme::withId("siamese")); },
                          [](AppearanceOptionsPage& p) { return p.catPicker().selection(); }, "siamese" },
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

// One choice by mouse or key writes once.
TEST_P(UserChoices, WriteExactlyOnce)
{
    const UserChoice& c = GetParam();
    c.choose(page());
    EXPECT_EQ(rig.defaults.stored(c.key).toString(), c.stored);
    EXPECT_EQ(rig.defaults.writeCount(c.key), 1);
    EXPECT_EQ(rig.defaults.writeCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Controls, UserChoices,
    ::testing::Values(UserChoice { "ClickCat", ThemeStore::selectedKey,
                          [](AppearanceOptionsPage& p) { clickTile(p.catPicker(), "tortie"); }, "tortie" },
        UserChoice { "ClickBed", CatBedStore::selectedKey,
            [](AppearanceOptionsPage& p) { clickTile(p.bedPicker(), "donut"); }, "donut" },
        UserChoice { "ArrowOnBeds", CatBedStore::selectedKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(p.bedPicker().tile("nest"), Qt::Key_Up); }, "lounger" },
        UserChoice { "KeyOnPopover", PopoverAppearanceStore::selectedKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(&p.popoverChoice(), Qt::Key_Up); }, "light" },
        UserChoice { "KeyOnTimeStyle", TimeDisplaySettingsStore::styleKey,
            [](AppearanceOptionsPage& p) { QTest::keyClick(&p.timeStyleChoice(), Qt::Key_Down); }, "totalMinutes" }),
    [](const ::testing::TestParamInfo<UserChoice>& info) { return std::string(info.param.name); });

// Choosing a cat tells the shell once (the store's callback) and recolours both grids; choosing
// the cat or bed already chosen writes nothing and calls nobody.
TEST_F(AppearancePage, ChoosingACatRecoloursBothGridsAndTheSameChoiceIsQuiet)
{
    clickTile(page().catPicker(), "gray-tabby");
    const QColor accent = CatTheme::withId("gray-tabby").accentColor;
    EXPECT_EQ(callbacks, 1);
    EXPECT_EQ(page().catPicker().tile("gray-tabby")->accentColor(), accent);
    EXPECT_EQ(page().bedPicker().tile("nest")->accentColor(), accent);

    clickTile(page().catPicker(), "gray-tabby");
    clickTile(page().bedPicker(), "nest");
    EXPECT_EQ(callbacks, 1);
    EXPECT_EQ(rig.defaults.writeCount(), 1);
}

} // namespace
