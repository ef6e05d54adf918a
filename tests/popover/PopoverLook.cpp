// Not a test: draws the popover's root view in a few states, themes and schemes to PNG files for a
// developer to look at. Run: popover_look <folder>
#include "PopoverViewRig.h"
#include "model/CatTheme.h"
#include "popover/ContentSwitcher.h"
#include "popover/MoreActionsMenu.h"
#include "popover/TimerPopoverBackgroundView.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QVBoxLayout>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

void shoot(testing::PopoverViewRig& rig, const QString& folder, const QString& name)
{
    TimerPopoverView& root = rig.view();
    // Offscreen, so nothing appears; a shown root lays out its children as the panel's does.
    root.show();
    testing::PopoverViewRig::settle();
    root.sync();
    for (ColorScheme scheme : { ColorScheme::light, ColorScheme::dark }) {
        rig.appearance.setSelected(scheme == ColorScheme::light ? PopoverAppearance::light : PopoverAppearance::dark);
        testing::PopoverViewRig::settle();
        root.sync();
        TimerPopoverBackgroundView background(rig.theme, rig.appearance);
        const QSize size = root.sizeHint();
        background.resize(size);
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::transparent);
        background.render(&image);
        root.resize(size);
        root.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        image.save(folder + QLatin1Char('/') + name + (scheme == ColorScheme::light ? "-light" : "-dark") + ".png");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const std::vector<std::pair<QString, std::function<void(testing::PopoverViewRig&)>>> states = {
        { "idle-mewt", [](testing::PopoverViewRig&) {} },
        { "idle-clock-pomodoro",
            [](testing::PopoverViewRig& rig) {
                rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
                rig.pomodoroSettings.setMode(TimerMode::pomodoro);
            } },
        { "idle-clock-named",
            [](testing::PopoverViewRig& rig) {
                rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
                rig.timer.mutateDraftName(QStringLiteral("<b>tea</b> & %1 \U0001F375"));
            } },
        { "idle-clock-editing",
            [](testing::PopoverViewRig& rig) {
                rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
                rig.view().beginClockNameEditing();
            } },
        { "idle-zen", [](testing::PopoverViewRig& rig) { rig.interfaceSettings.setZenModeEnabled(true); } },
        { "idle-zen-pomodoro",
            [](testing::PopoverViewRig& rig) {
                rig.interfaceSettings.setZenModeEnabled(true);
                rig.pomodoroSettings.setMode(TimerMode::pomodoro);
                rig.pomodoroSettings.setConfiguration({ 5400, 300, 900, 4 });
            } },
        { "running",
            [](testing::PopoverViewRig& rig) {
                rig.timer.mutateDraftName(QStringLiteral("reading"));
                rig.timer.addTime(600, rig.clock.now());
                rig.clock.advance(240s);
            } },
        { "paused-zen",
            [](testing::PopoverViewRig& rig) {
                rig.interfaceSettings.setZenModeEnabled(true);
                rig.timer.addTime(90, rig.clock.now());
                rig.timer.pause(rig.clock.now());
            } },
        { "pomodoro-running",
            [](testing::PopoverViewRig& rig) {
                rig.theme.setSelected(CatTheme::all().at(1));
                rig.pomodoro.commitSessions(4, rig.clock.now());
                rig.clock.advance(600s);
            } },
        { "pomodoro-waiting",
            [](testing::PopoverViewRig& rig) {
                rig.theme.setSelected(CatTheme::all().at(2));
                rig.pomodoroSettings.setAutoStartsNextBreak(false);
                rig.timer.mutateDraftName(QStringLiteral("reading the whole of the long report now"));
                rig.pomodoro.commitSessions(4, rig.clock.now());
                rig.clock.advance(1500s);
                rig.timer.refresh(rig.clock.now());
                rig.clock.advance(90s);
            } },
    };
    {
        // Half way through the slide from the idle layout to a running timer.
        testing::PopoverViewRig rig;
        TimerPopoverView& root = rig.view();
        root.show();
        rig.presentation.setVisible(true);
        testing::PopoverViewRig::settle();
        rig.timer.addTime(300, rig.clock.now());
        testing::PopoverViewRig::settle();
        for (int i = 0; i < 4; ++i)
            root.contentSwitcher().advanceFrame();
        root.grab().save(folder + QStringLiteral("/sliding.png"));
    }
    {
        // The more-actions menu as it opens.
        testing::PopoverViewRig rig;
        QMenu& menu = rig.view().moreActionsMenu();
        menu.popup(QPoint(0, 0));
        testing::PopoverViewRig::settle();
        menu.grab().save(folder + QStringLiteral("/menu.png"));
        menu.hide();
    }
    for (const auto& [name, prepare] : states) {
        testing::PopoverViewRig rig;
        prepare(rig);
        shoot(rig, folder, name);
    }
    return 0;
}
