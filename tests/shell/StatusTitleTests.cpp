#include "PawStatusView.h"
#include "StatusTitle.h"

#include <gtest/gtest.h>

using namespace mewt;

namespace {

const Date now = Date(std::chrono::seconds(1'800'000'000));
const QString minus = QString(QChar(0x2212));

struct TitleCase {
    const char* name;
    TimerState state;
    std::optional<qint64> overdue;
    TimeDisplayStyle style;
    StatusTitle expected;
};

void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << c.name;
}

class StatusTitleRule : public ::testing::TestWithParam<TitleCase> { };

TEST_P(StatusTitleRule, FollowsStateAndStyle)
{
    const TitleCase& c = GetParam();
    EXPECT_EQ(statusTitle(c.state, now, c.overdue, c.style), c.expected);
}

using K = StatusTitle::Kind;
using S = TimeDisplayStyle;
const TimerState running25 = TimerState::running(now + std::chrono::seconds(1500));
const TimerState runningHour = TimerState::running(now + std::chrono::milliseconds(3'661'200));
const TimerState paused = TimerState::paused(244.3);

INSTANTIATE_TEST_SUITE_P(EveryStateAndStyle, StatusTitleRule,
    ::testing::Values(TitleCase { "idle compact", TimerState::idle(), std::nullopt, S::compact, {} },
        TitleCase { "idle clock", TimerState::idle(), std::nullopt, S::clock, {} },
        TitleCase { "running compact", running25, std::nullopt, S::compact, { K::running, "25m" } },
        TitleCase { "running compactSeconds", running25, std::nullopt, S::compactSeconds, { K::running, "25m0s" } },
        TitleCase { "running clock", running25, std::nullopt, S::clock, { K::running, "25:00" } },
        TitleCase { "running totalMinutes", running25, std::nullopt, S::totalMinutes, { K::running, "25:00" } },
        TitleCase {
            "running an hour, rounded up", runningHour, std::nullopt, S::compactSeconds, { K::running, "1h1m2s" } },
        TitleCase { "running an hour clock", runningHour, std::nullopt, S::clock, { K::running, "1:01:02" } },
        TitleCase { "running an hour compact", runningHour, std::nullopt, S::compact, { K::running, "1h2m" } },
        TitleCase {
            "running an hour totalMinutes", runningHour, std::nullopt, S::totalMinutes, { K::running, "61:02" } },
        TitleCase { "running past its end", TimerState::running(now - std::chrono::seconds(3)), std::nullopt, S::clock,
            { K::running, "0:00" } },
        TitleCase { "paused compact", paused, std::nullopt, S::compact, { K::paused, "5m" } },
        TitleCase { "paused compactSeconds", paused, std::nullopt, S::compactSeconds, { K::paused, "4m5s" } },
        TitleCase { "paused clock", paused, std::nullopt, S::clock, { K::paused, "4:05" } },
        TitleCase { "paused totalMinutes", paused, std::nullopt, S::totalMinutes, { K::paused, "4:05" } },
        TitleCase { "waiting plan in compact still counts seconds", TimerState::idle(), 125, S::compact,
            { K::overdue, minus + "2:05" } },
        TitleCase {
            "waiting plan in totalMinutes", TimerState::idle(), 0, S::totalMinutes, { K::overdue, minus + "0:00" } },
        TitleCase {
            "waiting over an hour", TimerState::idle(), 3725, S::compactSeconds, { K::overdue, minus + "1:02:05" } },
        TitleCase { "a running timer wins over a waiting plan", running25, 40, S::clock, { K::running, "25:00" } },
        TitleCase { "a paused timer wins over a waiting plan", paused, 40, S::clock, { K::paused, "4:05" } }),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

class PawView : public ::testing::Test {
protected:
    PawStatusView view { CatTheme::defaultTheme() };
};

TEST_F(PawView, IsMarkedAsThePawControl)
{
    EXPECT_EQ(view.objectName(), QStringLiteral("mewt.paw-control"));
    EXPECT_EQ(view.sizeHint().height(), PawStatusView::barHeight);
}

TEST_F(PawView, IdleIsARoundButtonAroundThePaw)
{
    EXPECT_EQ(view.sizeHint().width(), view.sizeHint().height());
    view.resize(view.sizeHint());
    EXPECT_TRUE(view.rect().contains(view.pawRect()));
}

TEST_F(PawView, KeepsItsWidthWhileTheDigitsChange)
{
    view.setTitle({ K::running, "11:11" });
    const int narrowDigits = view.sizeHint().width();
    view.setTitle({ K::running, "48:08" });
    EXPECT_EQ(view.sizeHint().width(), narrowDigits);
    view.setTitle({ K::running, "1:48:08" });
    EXPECT_GT(view.sizeHint().width(), narrowDigits);
}

TEST_F(PawView, MakesRoomForThePauseMark)
{
    view.setTitle({ K::running, "4:05" });
    const int running = view.sizeHint().width();
    view.setTitle({ K::paused, "4:05" });
    EXPECT_GT(view.sizeHint().width(), running);
}

TEST_F(PawView, TellsAssistiveTechnologyTheTime)
{
    view.setTitle({ K::running, "4:05" });
    EXPECT_EQ(view.accessibleDescription(), QStringLiteral("4:05 left"));
    view.setTitle({ K::paused, "4:05" });
    EXPECT_EQ(view.accessibleDescription(), QStringLiteral("paused · 4:05 left"));
    view.setTitle({ K::overdue, minus + "2:05" });
    EXPECT_EQ(view.accessibleDescription(), QStringLiteral("phase ended 2:05 ago"));
    view.setTitle({});
    EXPECT_TRUE(view.accessibleDescription().isEmpty());
}

// The pill under the text must differ from a light and from a dark top bar alike, and the text
// from the pill.
TEST_F(PawView, ReadsOnLightAndDarkLooks)
{
    view.setTitle({ K::running, "25:00" });
    view.resize(view.sizeHint());
    for (const bool dark : { false, true }) {
        view.setDark(dark);
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QColor pill = image.pixelColor(view.width() - 4, view.height() / 2);
        EXPECT_GT(pill.alpha(), 180) << "dark " << dark;
        EXPECT_EQ(pill.lightness() > 128, !dark) << "dark " << dark;

        int inkPixels = 0;
        for (int x = view.pawRect().right() + 2; x < view.width() - 6; ++x) {
            for (int y = 4; y < view.height() - 4; ++y) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.lightness() - pill.lightness()) > 120)
                    ++inkPixels;
            }
        }
        EXPECT_GT(inkPixels, 20) << "dark " << dark;
    }
}

} // namespace
