#include "MemoryUserDefaults.h"
#include "PomodoroSettingsStore.h"
#include "PullSettingsStore.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

class StepDistanceRounding : public ::testing::TestWithParam<std::pair<qint64, int>> { };

TEST_P(StepDistanceRounding, HoldsThenRoundsToTwentiesWithHalvesUp)
{
    EXPECT_EQ(PullSettingsStore::normalizedStepDistancePoints(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Points, StepDistanceRounding,
    ::testing::Values(std::pair<qint64, int> { -1000, 20 }, std::pair<qint64, int> { 0, 20 },
        std::pair<qint64, int> { 20, 20 }, std::pair<qint64, int> { 29, 20 }, std::pair<qint64, int> { 30, 40 },
        std::pair<qint64, int> { 49, 40 }, std::pair<qint64, int> { 50, 60 }, std::pair<qint64, int> { 129, 120 },
        std::pair<qint64, int> { 130, 140 }, std::pair<qint64, int> { 140, 140 },
        std::pair<qint64, int> { 1LL << 40, 140 }));

class QuickTimeRounding : public ::testing::TestWithParam<std::pair<qint64, int>> { };

TEST_P(QuickTimeRounding, HoldsThenRoundsToFivesWithThreeAndFourUp)
{
    EXPECT_EQ(PullSettingsStore::normalizedQuickTimeMinutes(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Minutes, QuickTimeRounding,
    ::testing::Values(std::pair<qint64, int> { -3, 5 }, std::pair<qint64, int> { 0, 5 },
        std::pair<qint64, int> { 5, 5 }, std::pair<qint64, int> { 7, 5 }, std::pair<qint64, int> { 8, 10 },
        std::pair<qint64, int> { 62, 60 }, std::pair<qint64, int> { 63, 65 }, std::pair<qint64, int> { 118, 120 },
        std::pair<qint64, int> { 120, 120 }, std::pair<qint64, int> { 500, 120 }));

TEST(PullGranularity, StepsAndLabelsMatchTheirNames)
{
    QStringList labels;
    std::vector<int> seconds;
    for (const PullGranularity granularity : allPullGranularities) {
        labels << label(granularity);
        seconds.push_back(secondsPerStep(granularity));
        EXPECT_EQ(pullGranularityFromRawValue(rawValue(granularity)), granularity);
    }
    EXPECT_EQ(labels, (QStringList { "1 sec", "30 sec", "1 min", "5 min", "15 min", "30 min" }));
    EXPECT_EQ(seconds, (std::vector<int> { 1, 30, 60, 300, 900, 1800 }));
}

struct DecodeCase {
    const char* name;
    QByteArray json;
    PomodoroConfiguration expected;
    bool adjusted;
};

class ConfigurationDecoding : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(ConfigurationDecoding, ToleratesMissingAndBadFieldsAndHoldsTheRest)
{
    bool adjusted = !GetParam().adjusted;
    EXPECT_EQ(PomodoroConfiguration::decoded(GetParam().json, &adjusted), GetParam().expected);
    EXPECT_EQ(adjusted, GetParam().adjusted);
}

INSTANTIATE_TEST_SUITE_P(Json, ConfigurationDecoding,
    ::testing::Values(
        DecodeCase { "complete",
            R"({"focusSeconds":1800,"shortBreakSeconds":600,"longBreakSeconds":1200,"blocksBeforeLongBreak":3})",
            { 1800, 600, 1200, 3 }, false },
        DecodeCase { "missingKeys", R"({"focusSeconds":1800})", { 1800, 300, 900, 4 }, true },
        DecodeCase { "zeroLengths",
            R"({"focusSeconds":0,"shortBreakSeconds":-5,"longBreakSeconds":59,"blocksBeforeLongBreak":4})",
            { 60, 60, 60, 4 }, true },
        DecodeCase { "longLengths",
            R"({"focusSeconds":99999,"shortBreakSeconds":300,"longBreakSeconds":10800,"blocksBeforeLongBreak":4})",
            { 10800, 300, 10800, 4 }, true },
        DecodeCase { "blocksBelow",
            R"({"focusSeconds":1500,"shortBreakSeconds":300,"longBreakSeconds":900,"blocksBeforeLongBreak":1})",
            { 1500, 300, 900, 2 }, true },
        DecodeCase { "blocksAbove",
            R"({"focusSeconds":1500,"shortBreakSeconds":300,"longBreakSeconds":900,"blocksBeforeLongBreak":80})",
            { 1500, 300, 900, 8 }, true },
        DecodeCase { "wrongTypes",
            R"({"focusSeconds":"1800","shortBreakSeconds":null,"longBreakSeconds":[1],"blocksBeforeLongBreak":true})",
            { 1500, 300, 900, 4 }, true },
        DecodeCase { "hugeNumber",
            R"({"focusSeconds":1e300,"shortBreakSeconds":300,"longBreakSeconds":900,"blocksBeforeLongBreak":4})",
            { 1500, 300, 900, 4 }, true },
        DecodeCase { "fraction",
            R"({"focusSeconds":1530.4,"shortBreakSeconds":300,"longBreakSeconds":900,"blocksBeforeLongBreak":4})",
            { 1530, 300, 900, 4 }, true },
        DecodeCase { "truncated", R"({"focusSeconds":18)", {}, true },
        DecodeCase { "array", "[1500,300,900,4]", {}, true }, DecodeCase { "empty", "", {}, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroConfiguration, EncodesUnderTheFieldNamesAndReadsItselfBack)
{
    const PomodoroConfiguration configuration { 1560, 420, 2700, 6 };
    const QJsonObject json = configuration.toJson();
    EXPECT_EQ(json.value(QStringLiteral("focusSeconds")).toInt(), 1560);
    EXPECT_EQ(json.value(QStringLiteral("blocksBeforeLongBreak")).toInt(), 6);
    bool adjusted = true;
    EXPECT_EQ(PomodoroConfiguration::decoded(configuration.encoded(), &adjusted), configuration);
    EXPECT_FALSE(adjusted);
}

class PomodoroSettingsFixture : public ::testing::Test {
protected:
    MemoryUserDefaults defaults;
};

TEST_F(PomodoroSettingsFixture, SetConfigurationWritesAndReportsOnEveryCallButSignalsOnlyChanges)
{
    PomodoroSettingsStore store(defaults);
    std::vector<PomodoroConfiguration> reported;
    store.onConfigurationChange = [&](const PomodoroConfiguration& c) { reported.push_back(c); };
    QSignalSpy changes(&store, &PomodoroSettingsStore::configurationChanged);

    store.setConfiguration(PomodoroConfiguration {});
    store.setConfiguration({ 1800, 300, 900, 4 });
    store.setConfiguration({ 1800, 300, 900, 4 });

    EXPECT_EQ(defaults.writeCount(PomodoroSettingsStore::configurationKey), 3);
    EXPECT_EQ(reported.size(), 3u);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(PomodoroConfiguration::decoded(defaults.stored(PomodoroSettingsStore::configurationKey).toByteArray()),
        (PomodoroConfiguration { 1800, 300, 900, 4 }));
}

TEST_F(PomodoroSettingsFixture, SetConfigurationHoldsEveryFieldToItsRange)
{
    PomodoroSettingsStore store(defaults);
    PomodoroConfiguration reported;
    store.onConfigurationChange = [&](const PomodoroConfiguration& c) { reported = c; };

    store.setConfiguration({ 0, -60, 1000000, 1 });

    const PomodoroConfiguration held { 60, 60, 10800, 2 };
    EXPECT_EQ(store.configuration(), held);
    EXPECT_EQ(reported, held);
    store.setConfiguration({ 1500, 300, 900, 99 });
    EXPECT_EQ(store.configuration().blocksBeforeLongBreak, 8);
}

TEST_F(PomodoroSettingsFixture, AStoredConfigurationIsRewrittenOnlyWhenItHadToBeMended)
{
    defaults.seed(PomodoroSettingsStore::configurationKey, PomodoroConfiguration { 1800, 300, 900, 4 }.encoded());
    {
        const PomodoroSettingsStore store(defaults);
        EXPECT_EQ(store.configuration(), (PomodoroConfiguration { 1800, 300, 900, 4 }));
        EXPECT_EQ(defaults.writeCount(), 0);
    }
    defaults.seed(PomodoroSettingsStore::configurationKey, QByteArray(R"({"focusSeconds":0})"));
    const PomodoroSettingsStore store(defaults);
    EXPECT_EQ(store.configuration(), (PomodoroConfiguration { 60, 300, 900, 4 }));
    EXPECT_EQ(defaults.writeCount(PomodoroSettingsStore::configurationKey), 1);
    EXPECT_EQ(PomodoroConfiguration::decoded(defaults.stored(PomodoroSettingsStore::configurationKey).toByteArray()),
        store.configuration());
}

} // namespace
