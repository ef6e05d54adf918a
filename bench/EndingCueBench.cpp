// Costs of the ending cue while it is up: one 16 ms frame of following the pointer (the pointer
// moved, so the panel is placed again on the pointer's screen), one where it stood still, and the
// once-a-second countdown step (a text measurement, a model update and a relayout of the card).
#include "cues/EndingCueController.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/MemoryUserDefaults.h"

#include <QApplication>
#include <QCursor>
#include <benchmark/benchmark.h>

using namespace mewt;

namespace {

struct CueRig {
    MemoryUserDefaults defaults;
    InterfaceSettingsStore settings { defaults, { AppLanguage::system } };
    ManualClock clock;
    EndingCueController controller { CatTheme::defaultTheme(), settings, nullptr, clock };

    CueRig()
    {
        controller.update(TimerState::running(clock.now() + std::chrono::seconds(50)), clock.now(), std::nullopt, true,
            CatTheme::defaultTheme());
    }
};

void followTheMovingPointer(benchmark::State& state)
{
    CueRig rig;
    double x = 0;
    rig.controller.pointerLocation = [&x] { return QPointF(x, 300); };
    for (auto _ : state) {
        x = x > 1000 ? 0 : x + 3;
        rig.controller.followPointer();
    }
}
BENCHMARK(followTheMovingPointer)->Unit(benchmark::kMicrosecond);

void followAStillPointer(benchmark::State& state)
{
    CueRig rig;
    rig.controller.pointerLocation = [] { return QPointF(QCursor::pos()); };
    for (auto _ : state)
        rig.controller.followPointer();
}
BENCHMARK(followAStillPointer)->Unit(benchmark::kMicrosecond);

void countdownStep(benchmark::State& state)
{
    CueRig rig;
    const Date start = rig.clock.now();
    int second = 0;
    for (auto _ : state) {
        // Every step shows a new second, within the 50 the countdown runs.
        second = (second + 1) % 45;
        rig.clock.set(start + std::chrono::seconds(second));
        rig.controller.countdownTick();
    }
}
BENCHMARK(countdownStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
