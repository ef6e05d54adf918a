// Not a test: draws the popover's root view in a few states, themes and schemes to PNG files for a
// developer to look at. Run: popover_look <folder>
#include "PopoverRig.h"
#include "model/CatTheme.h"
#include "popover/ContentSwitcher.h"
#include "popover/TimerPopoverBackgroundView.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QVBoxLayout>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

void shoot(testing::PopoverRig& rig, const QString& folder, const QString& name)
{
    TimerPopoverView& root = rig.view();
    testing::PopoverRig::settle();
    root.sync();
    for (ColorScheme scheme : { ColorScheme::light, ColorScheme::dark }) {
        rig.appearance.setSelected(scheme == ColorScheme::light ? PopoverAppearance::light : PopoverAppearance::dark);
        testing::PopoverRig::settle();
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
    const std::vector<std::pair<QString, std::function<void(testing::PopoverRig&)>>> states = {
        { "idle-mewt", [](testing::PopoverRig&) {} },
        { "idle-clock-pomodoro",
            [](testing::PopoverRig& rig) {
                rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
                rig.pomodoroSettings.setMode(TimerMode::pomodoro);
            } },
        { "idle-zen", [](testing::PopoverRig& rig) { rig.interfaceSettings.setZenModeEnabled(true); } },
        { "running",
            [](testing::PopoverRig& rig) {
                rig.timer.mutateDraftName(QStringLiteral("reading"));
                rig.timer.addTime(600, rig.clock.now());
                rig.clock.advance(240s);
            } },
        { "paused-zen",
            [](testing::PopoverRig& rig) {
                rig.interfaceSettings.setZenModeEnabled(true);
                rig.timer.addTime(90, rig.clock.now());
                rig.timer.pause(rig.clock.now());
            } },
        { "pomodoro-running",
            [](testing::PopoverRig& rig) {
                rig.theme.setSelected(CatTheme::all().at(1));
                rig.pomodoro.commitSessions(4, rig.clock.now());
                rig.clock.advance(600s);
            } },
        { "pomodoro-waiting",
            [](testing::PopoverRig& rig) {
                rig.theme.setSelected(CatTheme::all().at(2));
                rig.pomodoroSettings.setAutoStartsNextBreak(false);
                rig.timer.mutateDraftName(QStringLiteral("reading"));
                rig.pomodoro.commitSessions(4, rig.clock.now());
                rig.clock.advance(1500s);
                rig.timer.refresh(rig.clock.now());
                rig.clock.advance(90s);
            } },
    };
    {
        // Half way through the slide from the idle layout to a running timer.
        testing::PopoverRig rig;
        TimerPopoverView& root = rig.view();
        root.show();
        rig.presentation.setVisible(true);
        testing::PopoverRig::settle();
        rig.timer.addTime(300, rig.clock.now());
        testing::PopoverRig::settle();
        for (int i = 0; i < 4; ++i)
            root.contentSwitcher().advanceFrame();
        root.grab().save(folder + QStringLiteral("/sliding.png"));
    }
    for (const auto& [name, prepare] : states) {
        testing::PopoverRig rig;
        prepare(rig);
        shoot(rig, folder, name);
    }
    return 0;
}
