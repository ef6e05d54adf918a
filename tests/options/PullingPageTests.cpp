#include "OptionsWindowRig.h"
#include "artwork/PullPreview.h"
#include "options/PullDistanceDiagram.h"
#include "options/PullingOptionsPage.h"

#include <QComboBox>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::OptionsWindowRig;

namespace {

// The pulling page on screen, dragged by its handle as a user would.
class PullingPageDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.resize(540, 448);
        page.show();
        QCoreApplication::processEvents();
    }

    QPoint handleCentre() const { return handleAt(page.distanceSlider().sliderPosition()); }

    // The x of the track where `points` sits.
    int xFor(int points) const
    {
        const QPoint low = handleAt(PullingOptionsPage::minimumDistance);
        const QPoint high = handleAt(PullingOptionsPage::maximumDistance);
        return low.x()
            + (high.x() - low.x()) * (points - PullingOptionsPage::minimumDistance)
            / (PullingOptionsPage::maximumDistance - PullingOptionsPage::minimumDistance);
    }

    QPoint handleAt(int value) const
    {
        QSlider& slider = page.distanceSlider();
        QStyleOptionSlider option;
        option.initFrom(&slider);
        option.orientation = slider.orientation();
        option.minimum = slider.minimum();
        option.maximum = slider.maximum();
        option.sliderPosition = value;
        option.sliderValue = value;
        return slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider).center();
    }

    void pressHandle()
    {
        grip = handleCentre();
        QTest::mousePress(&page.distanceSlider(), Qt::LeftButton, {}, grip);
    }
    void dragTo(int points)
    {
        grip = QPoint(xFor(points), grip.y());
        QMouseEvent move(QEvent::MouseMove, grip, page.distanceSlider().mapToGlobal(grip), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QCoreApplication::sendEvent(&page.distanceSlider(), &move);
    }
    void release()
    {
        QTest::mouseRelease(&page.distanceSlider(), Qt::LeftButton, {}, grip);
        QCoreApplication::processEvents();
    }

    int writes() const { return rig.writes(PullSettingsStore::stepDistanceKey); }

    OptionsWindowRig rig;
    PullingOptionsPage page { rig.themes, rig.pullSettings };
    QPoint grip;
};

TEST_F(PullingPageDrag, OpeningThePageWritesNothing)
{
    EXPECT_EQ(writes(), 0);
    EXPECT_EQ(rig.writes(PullSettingsStore::granularityKey), 0);
    EXPECT_EQ(page.distanceSlider().value(), rig.pullSettings.stepDistancePoints());
}

TEST_F(PullingPageDrag, ADragWritesOnceAtRelease)
{
    pressHandle();
    dragTo(60);
    dragTo(100);
    EXPECT_EQ(writes(), 0) << "nothing is stored while dragging";
    EXPECT_EQ(page.shownDistance(), 100);
    EXPECT_EQ(page.distanceText(), "100 pt");
    EXPECT_TRUE(page.footer().startsWith("every 100 pt adds"));
    EXPECT_EQ(page.diagram().points(), 100);

    release();
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(rig.pullSettings.stepDistancePoints(), 100);
    EXPECT_FALSE(page.session().isEditingPullStepDistance);
}

TEST_F(PullingPageDrag, ReleasingWhereItStartedStoresNothingNew)
{
    pressHandle();
    release();
    EXPECT_EQ(writes(), 0);
}

TEST_F(PullingPageDrag, AChangeElsewhereWaitsForTheRelease)
{
    pressHandle();
    dragTo(100);
    rig.pullSettings.setStepDistancePoints(60);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.shownDistance(), 100) << "the user's draft stays while dragging";

    release();
    // The release commits what the user chose, and the page then shows what the store holds.
    EXPECT_EQ(rig.pullSettings.stepDistancePoints(), 100);
    EXPECT_EQ(page.distanceSlider().value(), 100);

    rig.pullSettings.setStepDistancePoints(40);
    QCoreApplication::processEvents();
    EXPECT_EQ(page.distanceSlider().value(), 40);
    EXPECT_EQ(page.diagram().points(), 40);
    EXPECT_EQ(writes(), 3) << "the page wrote only its one release";
}

// A screen reader hears the distance in points and its setting is a finished choice.
TEST_F(PullingPageDrag, ScreenReaderSetsTheDistanceOnce)
{
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(&page.distanceSlider());
    ASSERT_NE(slider->valueInterface(), nullptr);
    EXPECT_EQ(slider->text(QAccessible::Value), QString("%1 points").arg(rig.pullSettings.stepDistancePoints()));
    slider->valueInterface()->setCurrentValue(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(rig.pullSettings.stepDistancePoints(), 100);
    EXPECT_EQ(slider->text(QAccessible::Value), "100 points");
}

TEST_F(PullingPageDrag, AStepChoiceIsStoredAndShownAtOnce)
{
    QComboBox& picker = page.stepPicker();
    const int index = picker.findText("30 min");
    ASSERT_GE(index, 0);
    QTest::keyClick(&picker, Qt::Key_End);
    QCoreApplication::processEvents();
    EXPECT_EQ(picker.currentIndex(), index);
    EXPECT_EQ(rig.pullSettings.granularity(), PullGranularity::thirtyMinutes);
    EXPECT_EQ(rig.writes(PullSettingsStore::granularityKey), 1);
    EXPECT_TRUE(page.footer().contains("adds 30 min."));
    EXPECT_EQ(page.diagram().timerStepSeconds(), 1800);
}

struct StatusCase {
    const char* name;
    int points;
    int stepSeconds;
    double progress;
    int cycle;
    const char* text;
};

class PullDiagramStatus : public ::testing::TestWithParam<StatusCase> { };

TEST_P(PullDiagramStatus, ReadsAsTheTimerOrThePomodoro)
{
    const StatusCase& c = GetParam();
    EXPECT_EQ(pullDistanceStatusText(c.points, c.stepSeconds, c.progress, c.cycle), QString(c.text));
}

INSTANTIATE_TEST_SUITE_P(Table, PullDiagramStatus,
    ::testing::Values(StatusCase { "halfway_minutes", 40, 60, 0.5, 0, "timer +2m" },
        StatusCase { "halfway_pomodoro", 40, 60, 0.5, 1, "pomodoro 2 focus" },
        StatusCase { "rest_seconds", 40, 30, 0.001, 0, "timer +0s" },
        StatusCase { "rest_minutes", 40, 60, 0.001, 2, "timer +0m" },
        StatusCase { "rest_pomodoro", 40, 60, 0.001, 3, "pomodoro 0 focus" },
        StatusCase { "just_moved", 40, 60, 0.0011, 0, "timer +1m" },
        StatusCase { "full_ninety_seconds", 40, 30, 1.0, 0, "timer +1m" },
        StatusCase { "full_five_minutes", 40, 300, 1.0, 0, "timer +15m" },
        StatusCase { "full_seconds", 40, 1, 1.0, 0, "timer +3s" },
        StatusCase { "zero_points", 0, 60, 0.5, 0, "timer +2m" },
        StatusCase { "overshoot_held", 20, 60, 1.7, 0, "timer +3m" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PullDiagram, AccessibleValueFollowsThePoints)
{
    PullDistanceDiagram diagram(0, CatTheme::all().front(), 60);
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&diagram);
    // A string value reaches AT-SPI only as text; the demo inside is no element of its own.
    ASSERT_NE(node->textInterface(), nullptr);
    EXPECT_EQ(node->textInterface()->text(0, -1), "0 points");
    diagram.setPoints(40);
    EXPECT_EQ(node->textInterface()->text(0, -1), "40 points");
    EXPECT_EQ(node->text(QAccessible::Value), "40 points");
    EXPECT_EQ(node->childCount(), 0);
}

} // namespace
