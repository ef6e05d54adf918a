#include "shell/PawStatusView.h"
#include "shell/StatusTitle.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <gtest/gtest.h>

using namespace mewt;
using K = StatusTitle::Kind;
using S = TimeDisplayStyle;

namespace {

const Date now = Date(std::chrono::seconds(1'800'000'000));
const QString minus = QString(QChar(0x2212));

TEST(StatusTitle, FollowsStateAndStyle)
{
    const TimerState running25 = TimerState::running(now + std::chrono::seconds(1500));
    const TimerState paused = TimerState::paused(244.3);
    // The time formats themselves belong to the display style; here only which one is used.
    const std::tuple<TimerState, std::optional<qint64>, TimeDisplayStyle, StatusTitle> cases[] = {
        { TimerState::idle(), std::nullopt, S::clock, {} },
        { running25, std::nullopt, S::compact, { K::running, "25m" } },
        { TimerState::running(now - std::chrono::seconds(3)), std::nullopt, S::clock, { K::running, "0:00" } },
        { paused, std::nullopt, S::compact, { K::paused, "5m" } },
        { paused, std::nullopt, S::clock, { K::paused, "4:05" } },
        // A waiting plan counts with seconds whatever the style.
        { TimerState::idle(), 125, S::compact, { K::overdue, minus + "2:05" } },
        { TimerState::idle(), 3725, S::compactSeconds, { K::overdue, minus + "1:02:05" } },
        // A running or paused timer wins over a waiting plan.
        { running25, 40, S::clock, { K::running, "25:00" } },
        { paused, 40, S::clock, { K::paused, "4:05" } },
    };
    for (const auto& [state, overdue, style, expected] : cases)
        EXPECT_EQ(statusTitle(state, now, overdue, style), expected) << expected.text.toStdString();
}

class PawView : public ::testing::Test {
protected:
    PawStatusView view { CatTheme::defaultTheme() };
};

TEST_F(PawView, IsRoundWhenIdleKeepsItsWidthWhileTheDigitsChangeAndMakesRoomForThePauseMark)
{
    EXPECT_EQ(view.sizeHint().width(), view.sizeHint().height());
    view.resize(view.sizeHint());
    EXPECT_TRUE(view.rect().contains(view.pawRect()));
    view.setTitle({ K::running, "11:11" });
    const int narrowDigits = view.sizeHint().width();
    view.setTitle({ K::running, "48:08" });
    EXPECT_EQ(view.sizeHint().width(), narrowDigits);
    view.setTitle({ K::paused, "48:08" });
    EXPECT_GT(view.sizeHint().width(), narrowDigits);
    view.setTitle({ K::running, "1:48:08" });
    EXPECT_GT(view.sizeHint().width(), narrowDigits);
}

TEST_F(PawView, TellsAssistiveTechnologyTheTime)
{
    const std::pair<StatusTitle, QString> cases[]
        = { { { K::running, "4:05" }, "4:05 left" }, { { K::paused, "4:05" }, "paused · 4:05 left" },
              { { K::overdue, minus + "2:05" }, "phase ended 2:05 ago" }, { {}, "" } };
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&view);
    for (const auto& [title, description] : cases) {
        view.setTitle(title);
        // The value goes out as text (AT-SPI has no string value) and is also what follows the name.
        EXPECT_EQ(node->text(QAccessible::Value), description);
        EXPECT_EQ(node->text(QAccessible::Description), description);
        ASSERT_NE(node->textInterface(), nullptr);
        EXPECT_EQ(node->textInterface()->text(0, -1), description);
    }
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
            for (int y = 4; y < view.height() - 4; ++y)
                inkPixels += std::abs(image.pixelColor(x, y).lightness() - pill.lightness()) > 120 ? 1 : 0;
        }
        EXPECT_GT(inkPixels, 20) << "dark " << dark;
    }
}

} // namespace
