#include "model/CatBed.h"
#include "options/OptionsSetting.h"

#include <gtest/gtest.h>

using namespace mewt;

namespace {

using S = OptionsSetting;

struct SearchCase {
    const char* name;
    const char* text;
    int languageCount;
    QList<S> expected;
};

class Search : public testing::TestWithParam<SearchCase> { };

TEST_P(Search, FindsTheseSettingsInCatalogueOrder)
{
    const SearchCase& c = GetParam();
    EXPECT_EQ(searchResults(QString::fromUtf8(c.text), { c.languageCount }), c.expected);
}

const QList<S> everySound = { S::soundsInterface, S::soundsVolume, S::soundsCompletion, S::soundsEndingCue,
    S::soundsShowBefore, S::soundsOverdue, S::soundsNotifications };

const SearchCase searchCases[] = {
    { "Empty", "", 2, {} },
    { "Blank", " \n\t \n", 2, {} },
    { "OuterWhitespaceIgnored", "  open at \n", 2, { S::generalOpenAtLogin } },
    { "InnerDoubleSpaceKept", "open  at", 2, {} },
    { "CaseIgnored", "ZEN MODE", 2, { S::appearanceZenMode } },
    { "CategoryTitleFindsTheWholePageOnce", "alerts", 2, everySound },
    { "LocaleWithTwoLanguages", "locale", 2, { S::generalLanguage } },
    { "LocaleWithOneLanguage", "locale", 1, {} },
    { "NativeLanguageName", "日本語", 2, { S::generalLanguage } },
    { "ControlTitle", "enabled", 2, { S::soundsEndingCue } },
    { "ThemeNameFromTheModel", "siamese", 2, { S::appearanceCat } },
    { "StepSizeWord", "30-minute", 2, { S::timerPullStep } },
    { "NoMatch", "xyzzy", 2, {} },
    { "MinInCatalogueOrder", "min", 2,
        { S::pomodoroFocus, S::pomodoroShortBreak, S::pomodoroLongBreak, S::timerPullStep, S::soundsShowBefore,
            S::soundsOverdue } },
};

INSTANTIATE_TEST_SUITE_P(Table, Search, testing::ValuesIn(searchCases),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(Catalogue, RawValuesRoundTripAndUnknownNamesGiveNothing)
{
    for (const S setting : allOptionsSettings())
        EXPECT_EQ(optionsSettingFromRawValue(rawValue(setting)), setting) << rawValue(setting).toStdString();
    for (const OptionsCategory category : allOptionsCategories)
        EXPECT_EQ(optionsCategoryFromRawValue(rawValue(category)), category);
    EXPECT_FALSE(optionsSettingFromRawValue("GeneralLanguage"));
    EXPECT_FALSE(optionsSettingFromRawValue(""));
    EXPECT_FALSE(optionsCategoryFromRawValue("search"));
}

// The pages lay themselves out from the catalogue: categories must not interleave, and only the
// ending cue labels its control differently.
TEST(Catalogue, CategoriesRunInSidebarOrderAndTitlesAreSet)
{
    int lastCategory = 0;
    QStringList differingControlTitles;
    QStringList titles;
    for (const S setting : allOptionsSettings()) {
        const OptionsSettingDefinition found = definition(setting);
        EXPECT_GE(int(found.category), lastCategory) << rawValue(setting).toStdString();
        lastCategory = int(found.category);
        EXPECT_FALSE(found.title.isEmpty());
        EXPECT_EQ(found.visibility == OptionsSettingVisibility::multipleLanguages, setting == S::generalLanguage);
        if (found.controlTitle != found.title)
            differingControlTitles.append(rawValue(setting));
        titles.append(found.title);
    }
    EXPECT_EQ(differingControlTitles, QStringList { "soundsEndingCue" });
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), optionsSettingCount);
}

TEST(Catalogue, BuiltAliasesEndWithTheModelsChoices)
{
    QStringList bedNames;
    for (const CatBed& bed : CatBed::all())
        bedNames.append(bed.name);
    const QStringList bedAliases = definition(S::appearanceBed).searchAliases;
    EXPECT_EQ(bedAliases.mid(bedAliases.size() - bedNames.size()), bedNames);

    const QStringList leadTimes = definition(S::soundsShowBefore).searchAliases;
    EXPECT_EQ(leadTimes.mid(2), (QStringList { "15 sec", "30 sec", "1 min", "2 min", "5 min" }));
    const QStringList overdue = definition(S::soundsOverdue).searchAliases;
    EXPECT_EQ(overdue.last(), "every 60 min");
}

} // namespace
