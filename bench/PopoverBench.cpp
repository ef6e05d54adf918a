// Cost of one 16 ms frame of the popover's slide in under the paw: the panel moves and its
// opacity changes (the step the frame timer runs fourteen times per show).
#include "cues/TactileSoundPlayer.h"
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/AudioEngine.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverPanel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace mewt;

namespace {

// Keeps the animation's step so the benchmark can run its frames itself.
class HeldFrameStepper final : public FrameStepper {
public:
    void run(int, QObject*, Step step) override { held = std::move(step); }
    Step held;
};

struct PopoverRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore themes { defaults };
    PopoverAppearanceStore appearance { defaults };
    OnboardingStore onboarding { defaults };
    TimerStore timer { defaults, clock, nullptr };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, false } };
    TactileSoundPlayer sounds { interfaceSettings, engine, clock };
    HeldFrameStepper* stepper = new HeldFrameStepper;
    TimerPopoverController controller { TimerPopoverStores { timer, themes, appearance, interfaceSettings, pullSettings,
                                            pomodoroSettings, pomodoro, onboarding },
        QSize(300, 132),
        TimerPopoverController::Services { sounds, clock, nullptr, [] { return false; },
            std::unique_ptr<FrameStepper>(stepper), nullptr, {}, {}, {} } };
};

void entryAnimationFrame(benchmark::State& state)
{
    PopoverRig rig;
    // As on a desktop with a compositor, where the panel also fades; without one nothing animates.
    rig.controller.panel().compositingProbe = [] { return true; };
    rig.controller.show(QRectF(0, 30, 1600, 870), QRectF(1560, 6, 24, 24));
    int frame = 0;
    for (auto _ : state) {
        // Frames 1 to 13: the last one would end the animation.
        frame = frame % 13 + 1;
        rig.stepper->held(frame);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(entryAnimationFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
