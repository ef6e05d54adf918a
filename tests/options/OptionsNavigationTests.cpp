#include "options/OptionsNavigationModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

using C = OptionsCategory;
using S = OptionsSetting;

// One step the user takes, and what the model must look like afterwards.
struct Step {
    enum Kind { navigate, back, forward, type, open } kind;
    C category = C::general;
    S setting = S::generalLanguage;
    QString text;
};

struct After {
    QList<C> entries;
    qsizetype index;
    QString searchText;
    std::optional<S> hit;
    std::optional<S> scrollTarget;
    int requestID;
    QString title;
};

struct NavigationCase {
    const char* name;
    int languageCount;
    std::vector<Step> steps;
    After after;
    int historyNotifications;
};

void apply(OptionsNavigationModel& model, const Step& step)
{
    switch (step.kind) {
    case Step::navigate: model.navigate(step.category); break;
    case Step::back: model.goBack(); break;
    case Step::forward: model.goForward(); break;
    case Step::type: model.updateSearchText(step.text); break;
    case Step::open: model.openSearchResult(step.setting); break;
    }
}

Step go(C category)
{
    return { Step::navigate, category, {}, {} };
}
Step back()
{
    return { Step::back, {}, {}, {} };
}
Step forward()
{
    return { Step::forward, {}, {}, {} };
}
Step type(const char* text)
{
    return { Step::type, {}, {}, QString::fromUtf8(text) };
}
Step open(S setting)
{
    return { Step::open, {}, setting, {} };
}

class Navigation : public testing::TestWithParam<NavigationCase> { };

TEST_P(Navigation, EndsInTheExpectedState)
{
    const NavigationCase& c = GetParam();
    OptionsNavigationModel model([&c] { return OptionsSettingsAvailability { c.languageCount }; });
    QSignalSpy history(&model, &OptionsNavigationModel::historyChanged);
    for (const Step& step : c.steps)
        apply(model, step);

    EXPECT_EQ(model.history().entries, c.after.entries);
    EXPECT_EQ(model.history().index, c.after.index);
    EXPECT_EQ(model.searchText(), c.after.searchText);
    EXPECT_EQ(model.selectedSearchResult(), c.after.hit);
    EXPECT_EQ(model.scrollTarget(), c.after.scrollTarget);
    EXPECT_EQ(model.scrollRequestID(), c.after.requestID);
    EXPECT_EQ(model.title(), c.after.title);
    EXPECT_EQ(history.count(), c.historyNotifications);
}

const NavigationCase navigationCases[] = {
    { "Fresh", 2, {}, { { C::general }, 0, "", {}, {}, 0, "general" }, 0 },
    { "BackTwiceThenNavigateDropsTheForwardPages", 2,
        { go(C::general), go(C::appearance), go(C::timer), back(), back(), go(C::sounds) },
        { { C::general, C::sounds }, 1, "", {}, {}, 0, "sounds & alerts" }, 6 },
    { "SameCategoryKeepsHistoryButClearsSearch", 2, { go(C::timer), type("cat"), go(C::timer) },
        { { C::general, C::timer }, 1, "", {}, {}, 0, "timer & pomodoro" }, 2 },
    { "BackAtTheStartStaysAndClearsSearch", 2, { type("zen"), back() }, { { C::general }, 0, "", {}, {}, 0, "general" },
        1 },
    { "ForwardAtTheEndStays", 2, { go(C::pulling), forward() },
        { { C::general, C::pulling }, 1, "", {}, {}, 0, "pulling" }, 2 },
    { "BackThenForwardReturns", 2, { go(C::pulling), back(), forward() },
        { { C::general, C::pulling }, 1, "", {}, {}, 0, "pulling" }, 3 },
    { "BlankSearchIsNotSearching", 2, { go(C::controls), type(" \n\t ") },
        { { C::general, C::controls }, 1, " \n\t ", {}, {}, 0, "controls" }, 1 },
    { "SearchingWithoutHitTitlesSearch", 2, { type("min") }, { { C::general }, 0, "min", {}, {}, 0, "search" }, 0 },
    { "SameHitTwiceScrollsTwice", 2, { type("zen"), open(S::appearanceZenMode), open(S::appearanceZenMode) },
        { { C::general, C::controls }, 1, "zen", S::appearanceZenMode, S::appearanceZenMode, 2, "controls" }, 2 },
    { "LanguageHitWithOneLanguageDoesNothing", 1, { type("locale"), open(S::generalLanguage) },
        { { C::general }, 0, "locale", {}, {}, 0, "search" }, 0 },
    { "LanguageHitWithTwoLanguagesOpens", 2, { go(C::sounds), type("locale"), open(S::generalLanguage) },
        { { C::general, C::sounds, C::general }, 2, "locale", S::generalLanguage, S::generalLanguage, 1, "general" },
        2 },
    { "TypingAfterAHitKeepsThePage", 2, { type("bed"), open(S::appearanceBed), type("beds") },
        { { C::general, C::appearance }, 1, "beds", {}, {}, 1, "search" }, 1 },
    { "NavigatingAfterAHitClearsAll", 2, { type("bed"), open(S::appearanceBed), go(C::sounds) },
        { { C::general, C::appearance, C::sounds }, 2, "", {}, {}, 1, "sounds & alerts" }, 2 },
};

INSTANTIATE_TEST_SUITE_P(Sequences, Navigation, testing::ValuesIn(navigationCases),
    [](const testing::TestParamInfo<NavigationCase>& info) { return std::string(info.param.name); });

// Observers of plain fields hear only real changes; a repeated hit still bumps the request.
TEST(NavigationNotifications, FieldsNotifyOnlyOnChange)
{
    OptionsNavigationModel model([] { return OptionsSettingsAvailability { 2 }; });
    QSignalSpy text(&model, &OptionsNavigationModel::searchTextChanged);
    QSignalSpy hit(&model, &OptionsNavigationModel::selectedSearchResultChanged);
    QSignalSpy target(&model, &OptionsNavigationModel::scrollTargetChanged);
    QSignalSpy request(&model, &OptionsNavigationModel::scrollRequestIDChanged);

    model.updateSearchText("cat");
    model.updateSearchText("cat");
    model.openSearchResult(S::appearanceCat);
    model.openSearchResult(S::appearanceCat);
    model.clearSearch();
    model.clearSearch();

    EXPECT_EQ(text.count(), 2); // "cat", then ""
    EXPECT_EQ(hit.count(), 2); // set, then cleared
    EXPECT_EQ(target.count(), 2);
    EXPECT_EQ(request.count(), 2);
}

TEST(NavigationHistory, PushAfterGoingBackDropsForwardEntries)
{
    const struct {
        QList<C> entries;
        qsizetype index;
        C pushed;
        QList<C> expected;
    } cases[] = {
        { { C::general }, 0, C::general, { C::general } },
        { { C::general, C::timer, C::sounds }, 0, C::pulling, { C::general, C::pulling } },
        { { C::general, C::timer, C::sounds }, 1, C::timer, { C::general, C::timer, C::sounds } },
        { { C::general, C::timer }, 1, C::general, { C::general, C::timer, C::general } },
    };
    for (const auto& c : cases) {
        OptionsNavigationHistory history { c.entries, c.index };
        history.push(c.pushed);
        EXPECT_EQ(history.entries, c.expected);
        EXPECT_EQ(history.current(), c.pushed);
    }
}

} // namespace
