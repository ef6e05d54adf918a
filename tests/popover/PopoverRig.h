#pragma once

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
#include "platform/Clock.h"
#include "platform/GlobalPointerMonitor.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/FrameStepper.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverPanel.h"
#include "popover/TimerPopoverPresentation.h"

#include <QCoreApplication>
#include <QPointer>
#include <memory>
#include <vector>

namespace mewt::testing {

// Frames advance only when the test says so, every run at once, as one tick of the real timer would.
class ManualFrameStepper final : public FrameStepper {
public:
    void run(int frameCount, QObject* context, Step step) override
    {
        runs.push_back({ frameCount, 0, context, std::move(step), false });
    }

    void step()
    {
        const std::size_t count = runs.size();
        for (std::size_t i = 0; i < count; ++i) {
            Run& run = runs[i];
            if (run.done || !run.context)
                continue;
            ++run.frame;
            run.done = !run.step(run.frame) || run.frame >= run.frameCount;
        }
    }
    void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            step();
    }

    int liveRuns() const
    {
        int live = 0;
        for (const Run& run : runs)
            live += (!run.done && run.context) ? 1 : 0;
        return live;
    }

    struct Run {
        int frameCount;
        int frame;
        QPointer<QObject> context;
        Step step;
        bool done;
    };
    std::vector<Run> runs;
};

// Real stores over memory defaults, a silent offline engine, a pointer the test moves and frames
// the test steps.
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
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer sounds { interfaceSettings, engine, clock };
    ManualGlobalPointerMonitor pointer;
    ManualFrameStepper* frames = nullptr;
    bool reducedMotion = false;
    bool composited = true;
    std::unique_ptr<TimerPopoverController> controller;

    // A screen whose top bar is 30 high, and a paw at its top-right corner.
    QRectF visibleFrame { 0, 30, 1600, 870 };
    QRectF paw { 1560, 6, 24, 24 };

    PopoverRig()
    {
        auto stepper = std::make_unique<ManualFrameStepper>();
        frames = stepper.get();
        controller = std::make_unique<TimerPopoverController>(
            TimerPopoverStores {
                timer, themes, appearance, interfaceSettings, pullSettings, pomodoroSettings, pomodoro, onboarding },
            QSize(300, 132),
            TimerPopoverController::Services {
                sounds, clock, &pointer, [this] { return reducedMotion; }, std::move(stepper) });
        controller->panel().compositingProbe = [this] { return composited; };
        // The view's first size report, as at start-up.
        QCoreApplication::processEvents();
    }

    TimerPopoverPanel& panel() const { return controller->panel(); }
    TimerPopoverPresentation& presentation() const { return controller->presentation(); }
    QRect content() const { return panel().contentGeometry(); }

    void showAndSettle()
    {
        controller->show(visibleFrame, paw);
        frames->steps(14);
    }
};

} // namespace mewt::testing
