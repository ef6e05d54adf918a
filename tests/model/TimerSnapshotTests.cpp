#include "TimerPrinting.h"
#include "TimerSnapshot.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <limits>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date now = Date(1'800'000'000s);

TimerSnapshot snapshotWith(TimerState state, QString draft = {}, std::optional<QString> active = {}, qint64 total = 0)
{
    return TimerSnapshot { state, draft, active, total };
}

// ---- Round trip ----

class TimerSnapshotRoundTrip : public testing::TestWithParam<TimerSnapshot> { };

TEST_P(TimerSnapshotRoundTrip, DecodesToWhatWasEncoded)
{
    const auto data = encodeTimerSnapshot(GetParam());
    ASSERT_TRUE(data);
    EXPECT_EQ(decodeTimerSnapshot(*data, now), GetParam()) << data->constData();
}

INSTANTIATE_TEST_SUITE_P(States, TimerSnapshotRoundTrip,
    testing::Values(
        snapshotWith(TimerState::running(now + 1500s + 250ms), QStringLiteral("tea "), QStringLiteral("tea"), 1500),
        snapshotWith(TimerState::paused(90.25), QString(), std::nullopt, 120),
        snapshotWith(TimerState::idle(), QStringLiteral("read: \"ch. 3\"\n"), QStringLiteral("a"), 60),
        snapshotWith(TimerState::idle())));

TEST(TimerSnapshotFormat, WritesTheAgreedKeysAndLeavesOutAMissingName)
{
    const auto data = encodeTimerSnapshot(snapshotWith(TimerState::running(now + 60s), QStringLiteral("x"), {}, 60));
    ASSERT_TRUE(data);
    const QJsonObject object = QJsonDocument::fromJson(*data).object();
    EXPECT_EQ(object.value(u"version").toInt(), 1);
    EXPECT_EQ(object.value(u"state").toObject().value(u"kind").toString(), u"running");
    EXPECT_DOUBLE_EQ(object.value(u"state").toObject().value(u"endDate").toDouble(), 1'800'000'060.0);
    EXPECT_EQ(object.value(u"draftName").toString(), u"x");
    EXPECT_FALSE(object.contains(u"activeName"));
    EXPECT_EQ(object.value(u"totalDurationSeconds").toInteger(), 60);

    const auto paused = encodeTimerSnapshot(snapshotWith(TimerState::paused(12.5)));
    const QJsonObject state = QJsonDocument::fromJson(*paused).object().value(u"state").toObject();
    EXPECT_EQ(state.value(u"kind").toString(), u"paused");
    EXPECT_DOUBLE_EQ(state.value(u"remainingSeconds").toDouble(), 12.5);
}

TEST(TimerSnapshotFormat, RefusesToEncodeWhatCannotBeRead)
{
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(TimerState::paused(std::numeric_limits<double>::quiet_NaN()))));
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(TimerState::paused(-1.0))));
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(TimerState::idle(), {}, {}, -5)));
}

// ---- Tolerant decoding ----

struct DecodeCase {
    const char* name;
    const char* json;
    TimerSnapshot expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class TimerSnapshotDecoding : public testing::TestWithParam<DecodeCase> { };

TEST_P(TimerSnapshotDecoding, FallsBackFieldByField)
{
    EXPECT_EQ(decodeTimerSnapshot(QByteArray(GetParam().json), now), GetParam().expected);
}

const QString tea = QStringLiteral("tea");

INSTANTIATE_TEST_SUITE_P(BadInput, TimerSnapshotDecoding,
    testing::Values(DecodeCase { "NotJson", "running until five", {} }, DecodeCase { "Array", R"([1, 2])", {} },
        DecodeCase { "OtherVersion", R"({"version":2,"draftName":"tea","state":{"kind":"idle"}})", {} },
        DecodeCase { "MissingVersion", R"({"draftName":"tea"})", {} },
        DecodeCase { "VersionAsText", R"({"version":"1","draftName":"tea"})", {} },
        DecodeCase {
            "StateNotObject", R"({"version":1,"state":5,"draftName":"tea"})", snapshotWith(TimerState::idle(), tea) },
        DecodeCase { "UnknownKind",
            R"({"version":1,"state":{"kind":"napping","endDate":1800000060},"draftName":"tea"})",
            snapshotWith(TimerState::idle(), tea) },
        DecodeCase { "EndDateAsText", R"({"version":1,"state":{"kind":"running","endDate":"soon"},"draftName":"tea"})",
            snapshotWith(TimerState::idle(), tea) },
        DecodeCase { "EndDateNegative", R"({"version":1,"state":{"kind":"running","endDate":-60}})", {} },
        DecodeCase { "EndDateYearsAway", R"({"version":1,"state":{"kind":"running","endDate":1900000000}})", {} },
        DecodeCase { "EndDateHuge", R"({"version":1,"state":{"kind":"running","endDate":1e300}})", {} },
        DecodeCase { "EndDateWithinLimit", R"({"version":1,"state":{"kind":"running","endDate":1802000000}})",
            snapshotWith(TimerState::running(Date(1'802'000'000s))) },
        DecodeCase { "RemainingNegative", R"({"version":1,"state":{"kind":"paused","remainingSeconds":-3}})", {} },
        DecodeCase { "RemainingZero", R"({"version":1,"state":{"kind":"paused","remainingSeconds":0}})", {} },
        DecodeCase { "RemainingHuge", R"({"version":1,"state":{"kind":"paused","remainingSeconds":1e12}})", {} },
        DecodeCase { "TotalNegative", R"({"version":1,"totalDurationSeconds":-60})", {} },
        DecodeCase { "TotalHuge", R"({"version":1,"totalDurationSeconds":1e300})",
            snapshotWith(TimerState::idle(), {}, {}, maximumTotalDurationSeconds) },
        DecodeCase { "TotalFractional", R"({"version":1,"totalDurationSeconds":12.6})",
            snapshotWith(TimerState::idle(), {}, {}, 13) },
        DecodeCase { "NamesOfWrongType", R"({"version":1,"draftName":7,"activeName":["tea"]})", {} },
        DecodeCase { "NullActiveName", R"({"version":1,"activeName":null,"draftName":"tea"})",
            snapshotWith(TimerState::idle(), tea) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimerSnapshotDecoding, CutsOverlongNamesByCharacterNotByCodeUnit)
{
    // Each accented letter is one character made of two code units; 50 of them are cut to 40.
    QString accents;
    for (int i = 0; i < 50; ++i)
        accents += QStringLiteral("e\u0301");
    const QString longName = QString(100, QLatin1Char('a'));
    QJsonObject object { { QStringLiteral("version"), 1 }, { QStringLiteral("draftName"), accents },
        { QStringLiteral("activeName"), longName } };
    const TimerSnapshot decoded = decodeTimerSnapshot(QJsonDocument(object).toJson(), now);
    EXPECT_EQ(decoded.draftName, accents.left(40 * 2));
    EXPECT_EQ(decoded.activeName, longName.left(40));
}

} // namespace
