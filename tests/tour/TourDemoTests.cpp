#include "ScopedEnvironment.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/FrameClock.h"
#include "tour/MenuBarRevealPreview.h"
#include "tour/PausePreview.h"

#include <QAccessible>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const CatPopoverPalette palette = CatTheme::defaultTheme().popoverPalette(ColorScheme::light);

// Drives a demo's frame clock by hand.
template <typename Demo> class DemoFixture : public ::testing::Test {
protected:
    void start()
    {
        demo->loop().setTimeSource([this] { return now; });
        demo->show();
    }
    void at(double seconds)
    {
        now = seconds;
        demo->loop().tick();
    }
    double now = 0.0;
    std::unique_ptr<Demo> demo;
};

} // namespace

class RevealDemo : public DemoFixture<MenuBarRevealPreview> {
protected:
    void SetUp() override
    {
        demo = std::make_unique<MenuBarRevealPreview>(CatTheme::defaultTheme(), palette);
        start();
    }
};

TEST_F(RevealDemo, PointerClicksThePawAndThePawHangsBelowTheBar)
{
    EXPECT_NEAR(MenuBarRevealPreview::cycle().duration(), 3.14, 1e-9);
    at(0.2);
    EXPECT_EQ(demo->scene(), MenuBarRevealPreview::Scene {});
    EXPECT_DOUBLE_EQ(demo->pawOffset(), MenuBarRevealPreview::hiddenOffset);
    at(1.29); // the glide has ended
    EXPECT_EQ(demo->pointerCentre(), QPointF(89.0, 20.0));
    at(1.33); // mid-click
    EXPECT_GT(demo->scene().iconPressed, 0.0);
    at(1.75); // released and revealed
    EXPECT_DOUBLE_EQ(demo->scene().iconPressed, 0.0);
    EXPECT_DOUBLE_EQ(demo->pawOffset(), MenuBarRevealPreview::revealedOffset);
    at(3.14 + 0.2); // the next cycle starts from nothing
    EXPECT_EQ(demo->scene(), MenuBarRevealPreview::Scene {});
}

TEST_F(RevealDemo, IsHiddenFromScreenReaders)
{
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(demo.get())->state().invisible);
}

TEST_F(RevealDemo, AnotherCatOrHidingStartsOrStopsTheScene)
{
    at(1.7);
    demo->setTheme(CatTheme::withId(QStringLiteral("siamese")));
    EXPECT_EQ(demo->scene(), MenuBarRevealPreview::Scene {});
    EXPECT_TRUE(demo->loop().isRunning());
    at(2.3); // fading in: frames on the shared clock
    EXPECT_TRUE(FrameClock::shared().isRunning());
    demo->hide();
    EXPECT_FALSE(demo->loop().isRunning());
    EXPECT_FALSE(FrameClock::shared().isRunning()) << "a hidden demo leaves no frame clock running";
}

TEST_F(RevealDemo, ReducedMotionShowsThePawStillWithoutPointer)
{
    const ScopedEnvironment reduced("MEWT_REDUCED_MOTION", "1");
    at(1.0);
    EXPECT_TRUE(demo->scene().still);
    EXPECT_DOUBLE_EQ(demo->pawOffset(), MenuBarRevealPreview::revealedOffset);
    EXPECT_FALSE(demo->loop().isRunning());
}

class PauseDemo : public DemoFixture<PausePreview> {
protected:
    void SetUp() override
    {
        demo = std::make_unique<PausePreview>(palette);
        start();
    }
    QString pillName() const { return QAccessible::queryAccessibleInterface(demo->pill())->text(QAccessible::Name); }
};

TEST_F(PauseDemo, LoopsPauseAndResume)
{
    EXPECT_NEAR(PausePreview::cycle().duration(), 3.0, 1e-9);
    at(1.0);
    EXPECT_FALSE(demo->isPaused());
    at(1.5);
    EXPECT_TRUE(demo->isPaused());
    EXPECT_EQ(demo->pill()->timeText(), QStringLiteral("14:52"));
    EXPECT_EQ(pillName(), QStringLiteral("resume timer"));
    at(2.2);
    EXPECT_FALSE(demo->isPaused());
    EXPECT_EQ(pillName(), QStringLiteral("pause timer"));
    // The mark keeps its distance from the time's last digit.
    const QWidget* time = demo->pill()->findChild<CharacterSlotText*>();
    ASSERT_NE(time, nullptr);
    EXPECT_DOUBLE_EQ(demo->pill()->markRect().left() - (time->geometry().right() + 1), 9.0);
}

struct ClickCase {
    const char* name;
    double at;
    bool pausedAfter;
};

class PauseDemoClick : public PauseDemo, public ::testing::WithParamInterface<ClickCase> { };

TEST_P(PauseDemoClick, TogglesFromWhatItShowedAndEndsTheLoop)
{
    at(GetParam().at);
    demo->pill()->click();
    EXPECT_EQ(demo->isPaused(), GetParam().pausedAfter);
    EXPECT_DOUBLE_EQ(demo->previewOpacity(), 1.0);
    EXPECT_TRUE(demo->didInteract());
    EXPECT_FALSE(demo->loop().isRunning());
    // Nothing the loop would have done happens any more.
    at(GetParam().at + 0.7);
    EXPECT_EQ(demo->isPaused(), GetParam().pausedAfter);
    EXPECT_DOUBLE_EQ(demo->previewOpacity(), 1.0);
    demo->pill()->click();
    EXPECT_EQ(demo->isPaused(), !GetParam().pausedAfter);
}

INSTANTIATE_TEST_SUITE_P(Phases, PauseDemoClick,
    ::testing::Values(ClickCase { "fadingIn", 0.6, true }, ClickCase { "whilePaused", 1.5, false },
        ClickCase { "duringTheFadeOut", 2.6, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PauseDemo, ReducedMotionIsVisibleAndRunningAtOnce)
{
    demo->hide();
    const ScopedEnvironment reduced("MEWT_REDUCED_MOTION", "1");
    demo->show();
    EXPECT_FALSE(demo->loop().isRunning());
    EXPECT_DOUBLE_EQ(demo->previewOpacity(), 1.0);
    EXPECT_FALSE(demo->isPaused());
    demo->pill()->click();
    EXPECT_TRUE(demo->isPaused());
}

TEST_F(PauseDemo, OnceClickedItNeverLoopsAgain)
{
    at(1.0);
    demo->pill()->click();
    demo->hide();
    EXPECT_FALSE(demo->loop().isRunning());
    demo->show();
    EXPECT_FALSE(demo->loop().isRunning());
    EXPECT_DOUBLE_EQ(demo->previewOpacity(), 1.0);
    EXPECT_TRUE(demo->isPaused());
}
