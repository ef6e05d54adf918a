#include "SoundRig.h"
#include "YarnSoundFeedback.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

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

// A shown top-level window; clicks and moves go through its QWindow, as the platform's would.
class PointerFixture : public ::testing::Test {
protected:
    PointerFixture()
    {
        window = std::make_unique<QWidget>();
        window->resize(320, 240);
        layout = new QVBoxLayout(window.get());
        rig.player.start();
    }

    ~PointerFixture() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

public:
    template <class Widget> Widget* add(Widget* widget, QWidget* parent = nullptr)
    {
        if (parent)
            parent->layout()->addWidget(widget);
        else
            layout->addWidget(widget);
        return widget;
    }

    QFrame* addFrame(const QString& name = {})
    {
        auto* frame = add(new QFrame);
        frame->setObjectName(name);
        new QVBoxLayout(frame);
        return frame;
    }

protected:
    void show()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QPoint centre(QWidget* widget) const { return widget->mapTo(window.get(), widget->rect().center()); }
    QWindow* handle() const { return window->windowHandle(); }

    void moveTo(QPoint point) { QTest::mouseMove(handle(), point); }
    void press(QPoint point) { QTest::mousePress(handle(), Qt::LeftButton, {}, point); }
    void release(QPoint point) { QTest::mouseRelease(handle(), Qt::LeftButton, {}, point); }

    SoundRig rig;
    std::unique_ptr<QWidget> window;
    QVBoxLayout* layout = nullptr;
};

struct ClickCase {
    const char* name;
    std::function<QWidget*(PointerFixture&)> build; // returns the widget to click
    QString tag;
    Sounds down;
    Sounds up;
    std::function<QPoint(QWidget*)> where = {}; // default: the widget's centre
};

class Click : public PointerFixture, public ::testing::WithParamInterface<ClickCase> { };

TEST_P(Click, PlaysThePressAndReleaseSoundsOfItsRoleAndTag)
{
    const ClickCase& c = GetParam();
    QWidget* target = c.build(*this);
    if (!c.tag.isEmpty())
        target->setObjectName(c.tag);
    show();
    const QPoint point = c.where ? target->mapTo(window.get(), c.where(target)) : centre(target);
    moveTo(point);
    const std::size_t start = rig.mark();
    press(point);
    EXPECT_EQ(rig.soundsSince(start), c.down);
    const std::size_t afterDown = rig.mark();
    release(point);
    EXPECT_EQ(rig.soundsSince(afterDown), c.up);
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
}

QWidget* pushButton(PointerFixture& f)
{
    return f.add(new QPushButton(QStringLiteral("go")));
}

const auto press = TactileSound::press;
const auto toggle = TactileSound::toggle;

INSTANTIATE_TEST_SUITE_P(RolesAndTags, Click,
    ::testing::Values(ClickCase { "plainButton", pushButton, {}, { press }, { TactileSound::release } },
        ClickCase {
            "successTag", pushButton, QStringLiteral("mewt.sound.success"), { press }, { TactileSound::success } },
        ClickCase {
            "cancelTag", pushButton, QStringLiteral("mewt.cancel-control"), { press }, { TactileSound::cancel } },
        ClickCase { "toggleTagOnButton", pushButton, QStringLiteral("mewt.sound.toggle"), { press }, { toggle } },
        ClickCase { "unknownTagFallsBack", pushButton, QStringLiteral("mewt.sound.purr"), { press },
            { TactileSound::release } },
        ClickCase { "toolButton", [](PointerFixture& f) { return f.add(new QToolButton); }, {}, { press },
            { TactileSound::release } },
        ClickCase { "menuButtonIgnoresTag",
            [](PointerFixture& f) {
                auto* button = f.add(new QToolButton);
                button->setMenu(new QMenu(button));
                return button;
            },
            QStringLiteral("mewt.sound.page"), {}, { toggle } },
        ClickCase { "checkBoxIgnoresTag", [](PointerFixture& f) { return f.add(new QCheckBox(QStringLiteral("x"))); },
            QStringLiteral("mewt.sound.success"), {}, { toggle } },
        ClickCase { "radioButton", [](PointerFixture& f) { return f.add(new QRadioButton(QStringLiteral("x"))); }, {},
            {}, { toggle } },
        ClickCase { "comboBox",
            [](PointerFixture& f) {
                auto* combo = f.add(new QComboBox);
                combo->addItems({ QStringLiteral("a"), QStringLiteral("b") });
                return combo;
            },
            {}, {}, { toggle } },
        ClickCase { "slider", [](PointerFixture& f) { return f.add(new QSlider(Qt::Horizontal)); }, {}, { press },
            { TactileSound::tick } },
        ClickCase { "spinBoxArrows", [](PointerFixture& f) { return f.add(new QSpinBox); }, {}, { press },
            { TactileSound::tick }, [](QWidget* w) { return QPoint(w->width() - 4, w->height() / 4); } },
        ClickCase { "spinBoxText", [](PointerFixture& f) { return f.add(new QSpinBox); }, {}, {}, {},
            [](QWidget* w) { return QPoint(6, w->height() / 2); } },
        ClickCase { "declaredLink",
            [](PointerFixture& f) {
                auto* label = f.add(new QLabel(QStringLiteral("update")));
                setFeedbackRole(label, FeedbackRole::link);
                return label;
            },
            {}, { press }, { TactileSound::page } },
        ClickCase { "declaredSegment",
            [](PointerFixture& f) {
                auto* segment = f.add(new QWidget);
                segment->setMinimumSize(40, 20);
                setFeedbackRole(segment, FeedbackRole::radioButton);
                return segment;
            },
            {}, {}, { toggle } },
        ClickCase { "buttonDeclaredSilent",
            [](PointerFixture& f) {
                auto* button = pushButton(f);
                setFeedbackRole(button, std::nullopt);
                return button;
            },
            {}, {}, {} },
        ClickCase { "scrollBar", [](PointerFixture& f) { return f.add(new QScrollBar(Qt::Horizontal)); }, {}, {}, {} },
        ClickCase {
            "plainLabel", [](PointerFixture& f) { return f.add(new QLabel(QStringLiteral("text"))); }, {}, {}, {} },
        ClickCase { "pawTaggedButton", pushButton, QStringLiteral("mewt.paw-control"), {}, {} },
        ClickCase { "labelInsidePaw",
            [](PointerFixture& f) { return f.add(new QLabel(QStringLiteral("12:00")), f.addFrame(pawControlTag)); }, {},
            {}, {} },
        ClickCase { "buttonInsidePaw",
            [](PointerFixture& f) { return f.add(new QPushButton(QStringLiteral("x")), f.addFrame(pawControlTag)); },
            {}, { press }, { TactileSound::release } },
        ClickCase { "pawStatusView",
            [](PointerFixture& f) {
                auto* paw = f.add(new PawStatusView);
                paw->setMinimumSize(60, 30);
                setFeedbackRole(paw, FeedbackRole::button);
                return paw;
            },
            {}, {}, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointerFixture, OneClickOnANestedButtonSoundsExactlyOnce)
{
    QFrame* outer = addFrame();
    auto* inner = new QFrame;
    new QVBoxLayout(inner);
    add(inner, outer);
    auto* button = add(new QPushButton(QStringLiteral("deep")), inner);
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.soundsSince(start), (Sounds { TactileSound::press, TactileSound::release }));
}

TEST_F(PointerFixture, ADoubleClickSoundsTwice)
{
    auto* button = pushButton(*this);
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.soundsSince(start),
        (Sounds { TactileSound::press, TactileSound::release, TactileSound::press, TactileSound::release }));
}

TEST_F(PointerFixture, StartingTwiceInstallsOneMonitor)
{
    rig.player.start();
    auto* button = pushButton(*this);
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_EQ(rig.soundsSince(start).size(), 2U);
}

TEST_F(PointerFixture, AfterShutdownClicksAreSilent)
{
    auto* button = pushButton(*this);
    show();
    rig.player.shutdown();
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centre(button));
    EXPECT_TRUE(rig.soundsSince(start).empty());
}

TEST_F(PointerFixture, RightClicksMakeNoSound)
{
    auto* button = pushButton(*this);
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    QTest::mouseClick(handle(), Qt::RightButton, {}, centre(button));
    EXPECT_TRUE(rig.soundsSince(start).empty());
}

TEST_F(PointerFixture, WithSoundsOffAButtonLeavesNoPressButACheckBoxMarksItsToggle)
{
    auto* button = pushButton(*this);
    auto* box = add(new QCheckBox(QStringLiteral("x")));
    show();
    rig.settings.setTactileSoundsEnabled(false);
    press(centre(button));
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    release(centre(button));
    press(centre(box));
    EXPECT_EQ(rig.player.pointerFeedback(), PointerFeedback::toggle);
    release(centre(box));
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    EXPECT_TRUE(rig.engine.commandLog().empty());
}

TEST_F(PointerFixture, TheReleaseSoundPlaysWhereverThePointerIsReleased)
{
    auto* button = add(new QPushButton(QStringLiteral("ok")));
    button->setObjectName(soundTag(TactileSound::ready));
    auto* label = add(new QLabel(QStringLiteral("elsewhere")));
    show();
    moveTo(centre(button));
    const std::size_t start = rig.mark();
    press(centre(button));
    QTest::mouseRelease(handle(), Qt::LeftButton, {}, centre(label));
    EXPECT_EQ(rig.soundsSince(start), (Sounds { TactileSound::press, TactileSound::ready }));
}

class Hover : public PointerFixture {
protected:
    void SetUp() override
    {
        first = pushButton(*this);
        second = add(new QCheckBox(QStringLiteral("b")));
        empty = add(new QLabel(QStringLiteral("nothing")));
        show();
    }

    std::size_t ticksSince(std::size_t start) const
    {
        const Sounds sounds = rig.soundsSince(start);
        return static_cast<std::size_t>(std::count(sounds.begin(), sounds.end(), TactileSound::tick));
    }

    QWidget* first = nullptr;
    QWidget* second = nullptr;
    QWidget* empty = nullptr;
};

TEST_F(Hover, TwoControlsATenthApartTickOnce)
{
    const std::size_t start = rig.mark();
    moveTo(centre(first));
    rig.clock.advance(100ms);
    moveTo(centre(second));
    EXPECT_EQ(ticksSince(start), 1U);
    EXPECT_EQ(rig.player.hoveredView(), second);
    EXPECT_FLOAT_EQ(rig.engine.commandLog().at(start).gain, 0.35F);
}

TEST_F(Hover, OneControlTicksAgainOnlyAfterAnotherWasHovered)
{
    const std::size_t start = rig.mark();
    moveTo(centre(first));
    rig.clock.advance(1s);
    moveTo(centre(first) + QPoint(3, 1));
    rig.clock.advance(1s);
    moveTo(centre(first) + QPoint(-3, 0));
    EXPECT_EQ(ticksSince(start), 1U);
    moveTo(centre(empty));
    EXPECT_EQ(rig.player.hoveredView(), nullptr);
    rig.clock.advance(1s);
    moveTo(centre(first));
    EXPECT_EQ(ticksSince(start), 2U);
    rig.clock.advance(150ms);
    moveTo(centre(second));
    EXPECT_EQ(ticksSince(start), 3U);
}

TEST_F(Hover, ADeletedControlIsNotMistakenForTheNewOneInItsPlace)
{
    const QPoint point = centre(first);
    moveTo(point);
    delete first;
    auto* replacement = new QPushButton(QStringLiteral("new"), window.get());
    replacement->setGeometry(QRect(point - QPoint(20, 8), QSize(40, 16)));
    replacement->show();
    rig.clock.advance(1s);
    const std::size_t start = rig.mark();
    moveTo(point + QPoint(1, 0));
    EXPECT_EQ(ticksSince(start), 1U);
    EXPECT_EQ(rig.player.hoveredView(), replacement);
}

TEST_F(Hover, DragsDoNotTick)
{
    press(centre(empty));
    const std::size_t start = rig.mark();
    rig.clock.advance(1s);
    QTest::mouseMove(handle(), centre(first));
    release(centre(first));
    EXPECT_EQ(ticksSince(start), 0U);
}

TEST(YarnSoundFeedback, TicksOncePerNewValueAtMostEveryFortyMilliseconds)
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
}

TEST(YarnSoundFeedback, ThePlayersTickIsSoft)
{
    SoundRig rig;
    YarnSoundFeedback feedback(rig.player, rig.clock);
    feedback.tick(5);
    ASSERT_EQ(rig.soundsSince(0), (Sounds { TactileSound::tick }));
    EXPECT_FLOAT_EQ(rig.engine.commandLog().front().gain, 0.28F);
}

} // namespace

#include "PointerFeedbackTests.moc"
