#include "SoundRig.h"
#include "cues/YarnSoundFeedback.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace mewt {

// Stands in for the status item's view, which the search recognises by class name alone.
class PawStatusView final : public QWidget {
    Q_OBJECT
};

} // namespace mewt

using namespace mewt;
using mewt::testing::SoundRig;
using namespace std::chrono_literals;

namespace {

using Sounds = std::vector<TactileSound>;
constexpr TactileSound press = TactileSound::press, release = TactileSound::release, toggle = TactileSound::toggle,
                       tick = TactileSound::tick;

// A shown top-level window; clicks and moves go through its QWindow, as the platform's would.
class PointerFixture : public ::testing::Test {
protected:
    PointerFixture()
    {
        new QVBoxLayout(&window);
        window.resize(320, 240);
        rig.player.start();
    }
    ~PointerFixture() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    template <class Widget> Widget* add(Widget* widget, QWidget* parent = nullptr)
    {
        (parent ? parent : &window)->layout()->addWidget(widget);
        return widget;
    }
    QWidget* box(QWidget* parent = nullptr, const QString& tag = {})
    {
        auto* widget = add(new QWidget, parent);
        widget->setObjectName(tag);
        new QVBoxLayout(widget);
        return widget;
    }
    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QPoint centre(QWidget* widget) const { return widget->mapTo(&window, widget->rect().center()); }
    QWindow* handle() { return window.windowHandle(); }
    void moveTo(QPoint point) { QTest::mouseMove(handle(), point); }
    void down(QPoint point) { QTest::mousePress(handle(), Qt::LeftButton, {}, point); }
    void up(QPoint point) { QTest::mouseRelease(handle(), Qt::LeftButton, {}, point); }

    SoundRig rig;
    QWidget window;
};

TEST_F(PointerFixture, EveryControlPlaysThePressAndReleaseSoundsOfItsRoleAndTag)
{
    auto tagged = [](QWidget* widget, const char* tag) {
        widget->setObjectName(QString::fromLatin1(tag));
        return widget;
    };
    auto declared = [this](QWidget* widget, std::optional<FeedbackRole> role) {
        widget->setMinimumSize(60, 24);
        setFeedbackRole(widget, role);
        return add(widget);
    };
    auto* menuButton = add(new QToolButton);
    menuButton->setMenu(new QMenu(menuButton));
    auto* combo = add(new QComboBox);
    combo->addItems({ QStringLiteral("a"), QStringLiteral("b") });
    auto* spin = add(new QSpinBox);
    const struct {
        QWidget* widget;
        Sounds down;
        Sounds up;
        char at = 'c'; // the centre, the spin box's up arrow or its text
    } cases[] = {
        { add(new QPushButton(QStringLiteral("go"))), { press }, { release } },
        { tagged(add(new QPushButton(QStringLiteral("ok"))), "mewt.sound.success"), { press },
            { TactileSound::success } },
        { tagged(add(new QPushButton(QStringLiteral("no"))), "mewt.cancel-control"), { press },
            { TactileSound::cancel } },
        { tagged(add(new QPushButton(QStringLiteral("?"))), "mewt.sound.purr"), { press }, { release } }, // unknown tag
        { tagged(menuButton, "mewt.sound.page"), {}, { toggle } }, // role over tag
        { tagged(add(new QCheckBox(QStringLiteral("x"))), "mewt.sound.success"), {}, { toggle } },
        { combo, {}, { toggle } },
        { add(new QSlider(Qt::Horizontal)), { press }, { tick } },
        { spin, { press }, { tick }, 'a' },
        { spin, {}, {}, 't' },
        { declared(new QLabel(QStringLiteral("update")), FeedbackRole::link), { press }, { TactileSound::page } },
        { declared(new QWidget, FeedbackRole::radioButton), {}, { toggle } },
        { declared(new QPushButton(QStringLiteral("hush")), std::nullopt), {}, {} },
        { add(new QScrollBar(Qt::Horizontal)), {}, {} },
        { tagged(add(new QPushButton(QStringLiteral("paw"))), "mewt.paw-control"), {}, {} },
        { add(new QLabel(QStringLiteral("12:00")), box(nullptr, pawControlTag)), {}, {} },
        { add(new QPushButton(QStringLiteral("x")), box(nullptr, pawControlTag)), { press }, { release } },
        { declared(new PawStatusView, FeedbackRole::button), {}, {} },
    };
    window.resize(320, 900);
    show();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const QSize size = c.widget->size();
        const QPoint at = c.at == 'a' ? QPoint(size.width() - 4, size.height() / 4)
            : c.at == 't'             ? QPoint(6, size.height() / 2)
                                      : c.widget->rect().center();
        const QPoint point = c.widget->mapTo(&window, at);
        moveTo(point);
        const std::size_t start = rig.mark();
        down(point);
        EXPECT_EQ(rig.soundsSince(start), c.down) << "case " << i;
        const std::size_t afterDown = rig.mark();
        up(point);
        EXPECT_EQ(rig.soundsSince(afterDown), c.up) << "case " << i;
        EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt) << "case " << i;
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }
}

TEST_F(PointerFixture, StartedTwiceANestedButtonSoundsOncePerClickAndTwiceForADoubleClick)
{
    rig.player.start();
    auto* button = add(new QPushButton(QStringLiteral("deep")), box(box()));
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.soundsSince(start), (Sounds { press, release }));
    const std::size_t afterClick = rig.mark();
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.soundsSince(afterClick), (Sounds { press, release, press, release }));
}

TEST_F(PointerFixture, SoundsOffRightClicksAndShutdownSilenceClicksButACheckBoxStillMarksItsToggle)
{
    auto* button = add(new QPushButton(QStringLiteral("go")));
    auto* box = add(new QCheckBox(QStringLiteral("x")));
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::RightButton, {}, centre(button));
    rig.settings.setTactileSoundsEnabled(false);
    down(centre(button));
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    up(centre(button));
    down(centre(box));
    EXPECT_EQ(rig.player.pointerFeedback(), PointerFeedback::toggle);
    up(centre(box));
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    rig.settings.setTactileSoundsEnabled(true);
    rig.player.shutdown();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.mark(), start);
}

TEST_F(PointerFixture, TheReleaseSoundPlaysWhereverThePointerIsReleased)
{
    auto* button = add(new QPushButton(QStringLiteral("ok")));
    button->setObjectName(soundTag(TactileSound::ready));
    auto* label = add(new QLabel(QStringLiteral("elsewhere")));
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    down(centre(button));
    up(centre(label));
    EXPECT_EQ(rig.soundsSince(start), (Sounds { press, TactileSound::ready }));
}

class Hover : public PointerFixture {
protected:
    void SetUp() override
    {
        first = add(new QPushButton(QStringLiteral("a")));
        second = add(new QCheckBox(QStringLiteral("b")));
        empty = add(new QLabel(QStringLiteral("nothing")));
        show();
        moveTo(QPoint(1, 1)); // Qt drops a move to where the last test left the pointer
        start = rig.mark();
    }
    long ticks() const
    {
        const Sounds sounds = rig.soundsSince(start);
        return std::count(sounds.begin(), sounds.end(), tick);
    }

    QWidget* first = nullptr;
    QWidget* second = nullptr;
    QWidget* empty = nullptr;
    std::size_t start = 0;
};

TEST_F(Hover, ANewControlTicksSoftlyAtMostOncePerGapAndTheSameOneOnlyAfterAnother)
{
    moveTo(centre(first));
    EXPECT_FLOAT_EQ(rig.engine.commandLog().at(start).gain, 0.35F);
    rig.clock.advance(1s);
    moveTo(centre(first) + QPoint(3, 1));
    rig.clock.advance(1s);
    moveTo(centre(first) + QPoint(-3, 0));
    EXPECT_EQ(ticks(), 1);
    moveTo(centre(empty));
    EXPECT_EQ(rig.player.hoveredView(), nullptr);
    rig.clock.advance(1s);
    moveTo(centre(first));
    rig.clock.advance(150ms);
    moveTo(centre(second));
    EXPECT_EQ(ticks(), 3);
    rig.clock.advance(100ms);
    moveTo(centre(first)); // within the gap
    EXPECT_EQ(ticks(), 3);
    EXPECT_EQ(rig.player.hoveredView(), first);
}

TEST_F(Hover, ADeletedControlIsNotMistakenForTheNewOneInItsPlaceAndDragsDoNotTick)
{
    const QPoint point = centre(first);
    moveTo(point);
    ASSERT_EQ(rig.player.hoveredView(), first);
    delete first;
    auto* replacement = new QPushButton(QStringLiteral("new"), &window);
    replacement->setGeometry(QRect(point - QPoint(20, 8), QSize(40, 16)));
    replacement->show();
    rig.clock.advance(1s);
    moveTo(point + QPoint(1, 0));
    EXPECT_EQ(ticks(), 2);
    EXPECT_EQ(rig.player.hoveredView(), replacement);

    down(centre(empty));
    rig.clock.advance(1s);
    moveTo(centre(second));
    up(centre(second));
    EXPECT_EQ(ticks(), 2);
}

TEST(YarnSoundFeedback, TicksSoftlyOncePerNewValueAtMostEveryFortyMilliseconds)
{
    ManualClock clock;
    int ticks = 0;
    YarnSoundFeedback feedback([&ticks] { ++ticks; }, 0.04, clock);
    feedback.tick(0);
    feedback.tick(-3);
    EXPECT_EQ(ticks, 0);
    feedback.tick(1);
    clock.advance(10ms);
    feedback.tick(2);
    clock.advance(20ms);
    feedback.tick(3);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(feedback.lastValue(), 3);
    clock.advance(50ms);
    feedback.tick(3);
    EXPECT_EQ(ticks, 1);
    feedback.tick(4);
    EXPECT_EQ(ticks, 2);

    SoundRig rig;
    YarnSoundFeedback played(rig.player, rig.clock);
    played.tick(5);
    ASSERT_EQ(rig.soundsSince(0), (Sounds { tick }));
    EXPECT_FLOAT_EQ(rig.engine.commandLog().front().gain, 0.28F);
}

} // namespace

#include "PointerFeedbackTests.moc"
