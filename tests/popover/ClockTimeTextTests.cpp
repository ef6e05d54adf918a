#include "popover/ClockTimeText.h"
#include "popover/TimerPopoverEditingState.h"

#include <gtest/gtest.h>

namespace mewt {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    std::optional<qint64> minutes;
};

class ParseClockMinutes : public ::testing::TestWithParam<ParseCase> { };

TEST_P(ParseClockMinutes, ReadsBareMinutesOrAZeroSecondsPart)
{
    EXPECT_EQ(parseClockMinutes(QString::fromUtf8(GetParam().text)), GetParam().minutes);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseClockMinutes,
    ::testing::Values(ParseCase { "bare", "25", 25 }, ParseCase { "spacesAround", "  25 \n", 25 },
        ParseCase { "zeroSeconds", "25:00", 25 }, ParseCase { "oneZero", "25:0", 25 },
        ParseCase { "threeZeros", "25:000", 25 }, ParseCase { "zero", "0", 0 }, ParseCase { "plus", "+7", 7 },
        ParseCase { "plusSeconds", "7:+0", 7 }, ParseCase { "nonZeroSeconds", "25:30", std::nullopt },
        ParseCase { "bareColon", "25:", std::nullopt }, ParseCase { "noMinutes", ":30", std::nullopt },
        ParseCase { "loneColon", ":", std::nullopt }, ParseCase { "hours", "1:00:00", std::nullopt },
        ParseCase { "innerSpace", "2 5", std::nullopt }, ParseCase { "decimal", "25.5", std::nullopt },
        ParseCase { "letters", "abc", std::nullopt }, ParseCase { "empty", "", std::nullopt },
        ParseCase { "negative", "-5", std::nullopt }, ParseCase { "negativeWithSeconds", "-5:00", std::nullopt },
        ParseCase { "twoSigns", "+-5", std::nullopt }, ParseCase { "loneSign", "+", std::nullopt },
        ParseCase { "arabicIndicDigits", "\u0662\u0665", std::nullopt },
        ParseCase { "overflow", "99999999999999999999", std::nullopt },
        ParseCase { "largestFits", "9223372036854775807", 9223372036854775807LL }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClockTimeText, ShowsTheNextStartsDurationWithPaddedUnboundedMinutes)
{
    EXPECT_EQ(clockTimeText(TimerMode::timer, 25, 3000), QStringLiteral("25:00"));
    EXPECT_EQ(clockTimeText(TimerMode::timer, 5, 3000), QStringLiteral("05:00"));
    EXPECT_EQ(clockTimeText(TimerMode::pomodoro, 25, 1500), QStringLiteral("25:00"));
    EXPECT_EQ(clockTimeText(TimerMode::pomodoro, 25, 90), QStringLiteral("01:30"));
    EXPECT_EQ(clockTimeText(TimerMode::pomodoro, 25, 7200), QStringLiteral("120:00"));
    EXPECT_EQ(clockTimeText(TimerMode::pomodoro, 25, -60), QStringLiteral("00:00"));
}

struct DurationCase {
    const char* name;
    PomodoroDurationKind kind;
    const char* draft;
    qint64 committed;
};

class CommittedDuration : public ::testing::TestWithParam<DurationCase> { };

TEST_P(CommittedDuration, HoldsTheTypedNumberToItsKindsRangeOrKeepsTheSavedValue)
{
    constexpr qint64 saved = 4;
    EXPECT_EQ(
        committedDurationValue(GetParam().kind, QString::fromUtf8(GetParam().draft), saved), GetParam().committed);
}

INSTANTIATE_TEST_SUITE_P(Drafts, CommittedDuration,
    ::testing::Values(DurationCase { "focus45", PomodoroDurationKind::focus, "45", 45 },
        DurationCase { "intervalSpaced", PomodoroDurationKind::longBreakInterval, " 7 ", 7 },
        DurationCase { "intervalAbove", PomodoroDurationKind::longBreakInterval, "9", 8 },
        DurationCase { "intervalBelow", PomodoroDurationKind::longBreakInterval, "1", 2 },
        DurationCase { "intervalPlus", PomodoroDurationKind::longBreakInterval, "+3", 3 },
        DurationCase { "intervalNegative", PomodoroDurationKind::longBreakInterval, "-5", 2 },
        DurationCase { "breakLetters", PomodoroDurationKind::break_, "ten", 4 },
        DurationCase { "breakCleared", PomodoroDurationKind::break_, "  ", 4 },
        DurationCase { "longBreakZero", PomodoroDurationKind::longBreak, "0", 1 },
        DurationCase { "longBreakHuge", PomodoroDurationKind::longBreak, "999", 180 },
        DurationCase { "focusOverflow", PomodoroDurationKind::focus, "99999999999999999999", 4 },
        DurationCase { "focusBeyondInt", PomodoroDurationKind::focus, "4294967301", 180 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DurationConfiguration, ChangesOnlyTheEditedField)
{
    const PomodoroConfiguration base;
    PomodoroConfiguration expected = base;
    expected.shortBreakSeconds = 7 * 60;
    EXPECT_EQ(configurationWith(base, PomodoroDurationKind::break_, 7), expected);
    expected = base;
    expected.blocksBeforeLongBreak = 6;
    EXPECT_EQ(configurationWith(base, PomodoroDurationKind::longBreakInterval, 6), expected);
    PomodoroConfiguration odd;
    odd.focusSeconds = 1559; // saved minutes round toward zero
    EXPECT_EQ(savedDurationValue(PomodoroDurationKind::focus, odd), 25);
}

} // namespace
} // namespace mewt
