// The popover's once-a-second work while it is open: one sync of the root view for the next second
// of a running timer (texts, yarn, accessible values, the rolling digits set going, a repaint
// queued), and the same for a running pomodoro phase with its whole yarn schedule. Also what a stored
// pomodoro length costs the idle popover (a typed or pulled value): the duration strip's sync, and
// the frames the root collects on each layout pass.
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/PomodoroDurationControls.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

struct PopoverViewRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore theme { defaults };
    PopoverAppearanceStore appearance { defaults };
    OnboardingStore onboarding { defaults };
    TimerStore timer { defaults, clock, nullptr };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    TimerPopoverPresentation presentation;
    TimerPopoverView view { { timer, theme, appearance, interfaceSettings, pullSettings, pomodoroSettings, pomodoro,
                                onboarding },
        presentation, nullptr, clock };

    PopoverViewRig()
    {
        view.show();
        presentation.setVisible(true);
    }

    void secondByASecond(benchmark::State& state)
    {
        QCoreApplication::processEvents();
        for (auto _ : state) {
            clock.advance(1s);
            view.tick();
        }
    }
};

void syncARunningTimersSecond(benchmark::State& state)
{
    PopoverViewRig rig;
    rig.timer.addTime(24 * 3600, rig.clock.now());
    rig.secondByASecond(state);
}
BENCHMARK(syncARunningTimersSecond)->Unit(benchmark::kMicrosecond);

void syncARunningPhasesSecond(benchmark::State& state)
{
    PopoverViewRig rig;
    rig.pomodoroSettings.setContinuousModeEnabled(false);
    rig.pomodoro.commitSessions(40, rig.clock.now());
    rig.secondByASecond(state);
}
BENCHMARK(syncARunningPhasesSecond)->Unit(benchmark::kMicrosecond);

void syncTheStripForANewLength(benchmark::State& state)
{
    PopoverViewRig rig;
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    QCoreApplication::processEvents();
    PomodoroDurationControls& strip = *rig.view.durationControls()[0];
    int minutes = 25;
    for (auto _ : state) {
        minutes = minutes == 25 ? 90 : 25;
        rig.pomodoroSettings.setConfiguration({ minutes * 60, 300, 900, 4 });
        strip.sync();
    }
}
BENCHMARK(syncTheStripForANewLength)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
