#include "ScopedEnvironment.h"
#include "model/OnboardingStore.h"
#include "model/ThemeStore.h"
#include "platform/MemoryUserDefaults.h"
#include "tour/LessonStage.h"
#include "tour/MenuBarRevealPreview.h"
#include "tour/NotificationPreview.h"
#include "tour/OnboardingView.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

using Step = OnboardingStore::Step;

// A language with a few words, enough to see which texts follow a switch.
class TestLanguage final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QLatin1String(context) != QLatin1String("mewt"))
            return {};
        const QString text = QString::fromUtf8(source);
        if (text == QLatin1String("next"))
            return QStringLiteral("weiter");
        if (text == QLatin1String("mewt tour, step %1 of %2"))
            return QStringLiteral("mewt-Tour, Schritt %1 von %2");
        if (text == QLatin1String("pause timer"))
            return QStringLiteral("Timer anhalten");
        return {};
    }
    bool isEmpty() const override { return false; }
};

class Tour : public ::testing::Test {
protected:
    void build(OnboardingNotificationState state = OnboardingNotificationState::checking)
    {
        auto* layout = new QVBoxLayout(&window);
        field = new QLineEdit(&window);
        layout->addWidget(field);
        view = new OnboardingView(
            store, themes, state, CatTheme::defaultTheme().popoverPalette(ColorScheme::light), &window);
        layout->addWidget(view);
        view->onNotificationAction = [this] {
            ++actions;
            return true;
        };
        store.setPresented(true);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        view->setFocus();
    }
    QPushButton* shown(const char* text) const
    {
        for (QPushButton* button : view->findChildren<QPushButton*>())
            if (button->text() == QLatin1String(text) && button->isVisible())
                return button;
        return nullptr;
    }
    void press(const char* text)
    {
        QPushButton* button = shown(text);
        ASSERT_NE(button, nullptr) << text;
        button->click();
        QApplication::processEvents();
    }
    void key(QWidget* target, Qt::Key key)
    {
        QTest::keyClick(target, key);
        QApplication::processEvents();
    }
    bool completed() const
    {
        return defaults.intValue(OnboardingStore::completionKey) == OnboardingStore::version && !store.isPresented()
            && store.step() == Step::meet;
    }

    MemoryUserDefaults defaults;
    OnboardingStore store { defaults };
    ThemeStore themes { defaults };
    QWidget window;
    QLineEdit* field = nullptr;
    OnboardingView* view = nullptr;
    int actions = 0;
};

} // namespace

TEST_F(Tour, NextReachesEveryStepAndDoneCompletesOnTheLast)
{
    build();
    for (const Step step : { Step::pull, Step::pause, Step::notifications }) {
        press("next");
        EXPECT_EQ(store.step(), step);
        EXPECT_EQ(view->accessibleName(), QStringLiteral("mewt tour, step %1 of 4").arg(static_cast<int>(step) + 1));
    }
    EXPECT_EQ(shown("next"), nullptr);
    ASSERT_NE(shown("done"), nullptr);
    EXPECT_EQ(shown("done")->objectName(), QStringLiteral("mewt.sound.success"));
    EXPECT_NE(shown("back"), nullptr);
    press("done");
    EXPECT_TRUE(completed());
    EXPECT_FALSE(store.presentIfNeeded());
}

TEST_F(Tour, BackAndLeftDoNothingOnTheFirstStep)
{
    build();
    EXPECT_EQ(shown("back"), nullptr);
    key(view, Qt::Key_Left);
    EXPECT_EQ(store.step(), Step::meet);
    store.setStep(Step::pause);
    QApplication::processEvents();
    key(view, Qt::Key_Left);
    EXPECT_EQ(store.step(), Step::pull);
    press("back");
    EXPECT_EQ(store.step(), Step::meet);
}

TEST_F(Tour, ReturnMovesOnAndFinishesOnTheLastStep)
{
    build();
    ASSERT_TRUE(window.isActiveWindow());
    key(view, Qt::Key_Return);
    EXPECT_EQ(store.step(), Step::pull);
    store.setStep(Step::notifications);
    QApplication::processEvents();
    key(view, Qt::Key_Enter);
    EXPECT_TRUE(completed());
}

TEST_F(Tour, KeysInTheHostsFieldsStayThere)
{
    build();
    store.setStep(Step::pause);
    QApplication::processEvents();
    field->setText(QStringLiteral("25"));
    field->setFocus();
    key(field, Qt::Key_Left);
    key(field, Qt::Key_Return);
    EXPECT_EQ(store.step(), Step::pause);
    EXPECT_EQ(field->cursorPosition(), 1);
}

TEST_F(Tour, SkipCompletesFromAnyStep)
{
    build();
    for (const Step step : { Step::meet, Step::pull, Step::pause, Step::notifications }) {
        store.setPresented(true);
        store.setStep(step);
        QApplication::processEvents();
        press("skip");
        EXPECT_TRUE(completed()) << static_cast<int>(step);
    }
}

TEST_F(Tour, ArrivingOnTheLastStepAsksOncePerArrival)
{
    build(OnboardingNotificationState::needsPermission);
    store.setStep(Step::notifications);
    QApplication::processEvents();
    EXPECT_EQ(actions, 1);
    // A new state from the host is no new arrival.
    view->setNotificationState(OnboardingNotificationState::checking);
    view->setNotificationState(OnboardingNotificationState::needsPermission);
    QApplication::processEvents();
    EXPECT_EQ(actions, 1);
    press("back");
    press("next");
    EXPECT_EQ(actions, 2);
}

TEST_F(Tour, ArrivingWithAnyOtherStateAsksNothing)
{
    build(OnboardingNotificationState::needsSettings);
    store.setStep(Step::notifications);
    QApplication::processEvents();
    EXPECT_EQ(actions, 0);
    press("settings");
    EXPECT_EQ(actions, 1);
}

TEST_F(Tour, AnotherCatReachesTheDemoOnShow)
{
    build();
    QWidget* lesson = view->currentLesson();
    themes.setSelected(CatTheme::withId(QStringLiteral("tortie")));
    QApplication::processEvents();
    EXPECT_EQ(view->currentLesson(), lesson);
    const auto demos = lesson->findChildren<MenuBarRevealPreview*>();
    ASSERT_EQ(demos.size(), 1);
    EXPECT_EQ(demos.front()->theme().id, QStringLiteral("tortie"));
}

TEST_F(Tour, StepChangesSlideUnlessMotionIsReduced)
{
    build();
    press("next");
    EXPECT_TRUE(view->isTransitioning());
    view->finishTransition();
    const ScopedEnvironment reduced("MEWT_REDUCED_MOTION", "1");
    QWidget* before = view->currentLesson();
    press("next");
    EXPECT_NE(view->currentLesson(), before);
    EXPECT_FALSE(view->isTransitioning());
}

TEST_F(Tour, ASwitchOfLanguageReachesTheButtonsAndTheReaderAtOnce)
{
    build();
    store.setStep(Step::pause);
    QApplication::processEvents();
    TestLanguage language;
    QCoreApplication::installTranslator(&language);
    QApplication::processEvents();
    EXPECT_NE(shown("weiter"), nullptr);
    EXPECT_EQ(view->accessibleName(), QStringLiteral("mewt-Tour, Schritt 3 von 4"));
    const auto pills = view->findChildren<QAbstractButton*>();
    const bool pillFollowed = std::any_of(pills.begin(), pills.end(), [](QAbstractButton* button) {
        return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name)
            == QStringLiteral("Timer anhalten");
    });
    EXPECT_TRUE(pillFollowed);
    QCoreApplication::removeTranslator(&language);
}

TEST_F(Tour, TheHostsNewStateAndColoursChangeTheCardInPlace)
{
    build(OnboardingNotificationState::needsSettings);
    store.setStep(Step::notifications);
    QApplication::processEvents();
    QWidget* lesson = view->currentLesson();
    ASSERT_NE(shown("settings"), nullptr);
    view->setNotificationState(OnboardingNotificationState::enabled);
    view->setPopoverPalette(CatTheme::defaultTheme().popoverPalette(ColorScheme::dark));
    QApplication::processEvents();
    EXPECT_EQ(view->currentLesson(), lesson);
    EXPECT_EQ(shown("settings"), nullptr);
    const auto cards = lesson->findChildren<NotificationPreview*>();
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards.front()->state(), OnboardingNotificationState::enabled);
    EXPECT_EQ(actions, 0);
}

TEST(LessonStage, SlidesTheNewLessonInFromTheRightAndSettles)
{
    LessonStage stage;
    stage.resize(300, LessonStage::stageHeight);
    double now = 0.0;
    stage.loop().setTimeSource([&now] { return now; });
    stage.show();
    auto* first = new QWidget;
    stage.setLesson(first, false);
    EXPECT_FALSE(stage.isTransitioning());
    QPointer<QWidget> old = first;
    auto* second = new QWidget;
    stage.setLesson(second, true);
    ASSERT_TRUE(stage.isTransitioning());
    now = LessonStage::transitionSeconds / 2.0;
    stage.loop().tick();
    EXPECT_GT(second->x(), 0);
    EXPECT_LT(second->x(), static_cast<int>(LessonStage::slideDistance));
    EXPECT_NE(second->graphicsEffect(), nullptr);
    now = LessonStage::transitionSeconds;
    stage.loop().tick();
    EXPECT_FALSE(stage.isTransitioning());
    EXPECT_EQ(second->x(), 0);
    EXPECT_EQ(second->graphicsEffect(), nullptr);
    QApplication::processEvents(); // the old lesson goes with the next turn
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    // Hiding mid-slide settles at once, so no frame timer outlives the stage on screen.
    stage.setLesson(new QWidget, true);
    stage.hide();
    EXPECT_FALSE(stage.isTransitioning());
}

// A step left by the pointer or from the pause demo hides what held the keyboard; the keys of the
// tour must still reach it, up to the last step's "done".
TEST_F(Tour, ReturnAndLeftKeepWorkingHoweverTheStepWasLeft)
{
    const auto keyInWindow = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
    };
    build();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(shown("next"), Qt::LeftButton);
        QApplication::processEvents();
    }
    ASSERT_EQ(store.step(), Step::notifications);
    keyInWindow(Qt::Key_Left);
    ASSERT_EQ(store.step(), Step::pause);
    for (int i = 0; i < 8 && QApplication::focusWidget()->accessibleName() != QStringLiteral("pause timer"); ++i)
        keyInWindow(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->accessibleName(), QStringLiteral("pause timer"));
    keyInWindow(Qt::Key_Space);
    keyInWindow(Qt::Key_Return);
    ASSERT_EQ(store.step(), Step::notifications);
    keyInWindow(Qt::Key_Return);
    EXPECT_TRUE(completed());
}
