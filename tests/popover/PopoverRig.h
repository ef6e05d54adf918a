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
#include "platform/GlobalPointerMonitor.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverPanel.h"
#include "popover/TimerPopoverPlacementStore.h"
#include "popover/TimerPopoverPresentation.h"
#include "pull/PomodoroDurationPullController.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace mewt::testing {

// Frames advance only when the test says so, every run at once, as one tick of the real timer would.
class ManualFrameStepper final : public FrameStepper {
public:
    struct Run {
        int frameCount;
        QPointer<QObject> context;
        Step step;
        int frame = 0;
        bool done = false;
    };

    void run(int frameCount, QObject* context, Step step) override { runs.push_back({ frameCount, context, step }); }
    void steps(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            for (std::size_t r = 0, n = runs.size(); r < n; ++r) {
                if (!runs[r].done && runs[r].context)
                    runs[r].done = !runs[r].step(++runs[r].frame) || runs[r].frame >= runs[r].frameCount;
            }
        }
    }
    int liveRuns() const
    {
        return static_cast<int>(
            std::count_if(runs.begin(), runs.end(), [](const Run& run) { return !run.done && run.context; }));
    }

    std::vector<Run> runs;
};

// Names a parameterised case after its `name` field.
struct CaseName {
    template <class Info> std::string operator()(const Info& info) const
    {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    }
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
    TimerPopoverPlacementStore placement { defaults, QStringLiteral("detached"), QStringLiteral("placement") };
    std::unique_ptr<TimerPopoverController> controller;

    // A screen whose top bar is 30 high, and a paw at its top-right corner.
    QRectF visibleFrame { 0, 30, 1600, 870 };
    QRectF paw { 1560, 6, 24, 24 };
    // What the detached window is kept on.
    QList<QRectF> screens { visibleFrame };
    QList<QRectF> screenFrames { { 0, 0, 1600, 900 } };
    // The strip the pinned window keeps off; none unless a test sets it.
    QRect pawStrip;

    PopoverRig() { launch(); }

    // Quits the popover as the app's quit does and builds it again over the same settings;
    // `settle` lets the view's first size report arrive.
    void relaunch(bool settle = true)
    {
        controller->close();
        controller.reset();
        launch(settle);
    }

    void launch(bool settle = true)
    {
        auto stepper = std::make_unique<ManualFrameStepper>();
        frames = stepper.get();
        controller = std::make_unique<TimerPopoverController>(
            TimerPopoverStores {
                timer, themes, appearance, interfaceSettings, pullSettings, pomodoroSettings, pomodoro, onboarding },
            QSize(300, 132),
            TimerPopoverController::Services { sounds, clock, &pointer, [this] { return reducedMotion; },
                std::move(stepper), &placement, [this] { return screens; }, [this] { return screenFrames; },
                [this] { return pawStrip; } });
        controller->panel().compositingProbe = [this] { return composited; };
        // The view's first size report, as at start-up.
        if (settle)
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
    void pullDuration() { controller->durationPullController().begin(PomodoroDurationKind::focus, { 1400, 100 }); }
};

} // namespace mewt::testing
