#include "cues/CatSoundPlayer.h"
#include "cues/TactileSoundPlayer.h"
#include "model/CatBedStore.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "model/TimerStore.h"
#include "options/OptionsChromeState.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsWindow.h"
#include "options/OptionsWindowController.h"
#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "platform/MemoryUserDefaults.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace mewt;

namespace {

struct Stores {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore themes { defaults };
    CatBedStore catBeds { defaults };
    PopoverAppearanceStore appearance { defaults };
    TimeDisplaySettingsStore timeDisplay { defaults };
    TimerStore timer { defaults, clock, nullptr };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer sounds { interfaceSettings, engine, clock };
    CatSoundPlayer catSounds { interfaceSettings, engine };
    OptionsNavigationModel navigation { [] { return OptionsSettingsAvailability { 5 }; } };
    OptionsChromeState chrome;

    std::unique_ptr<OptionsWindowController> controller()
    {
        return std::make_unique<OptionsWindowController>(navigation, chrome,
            OptionsWindowController::Stores { timer, themes, catBeds, appearance, pullSettings, timeDisplay,
                interfaceSettings, pomodoroSettings, pomodoro, sounds, catSounds });
    }
};

// What the first "settings..." costs on the main thread: the window, the sidebar, the band and the
// page on show, built, laid out and painted once.
void buildAndShowTheWindow(benchmark::State& state)
{
    Stores stores;
    stores.navigation.navigate(OptionsCategory::pulling);
    for (auto _ : state) {
        auto controller = stores.controller();
        controller->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(controller->window()->grab());
        state.PauseTiming();
        controller.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(buildAndShowTheWindow)->Unit(benchmark::kMillisecond);

// Every later "settings...": the closed window gave its content back, so it is built again.
void showTheWindowAgain(benchmark::State& state)
{
    Stores stores;
    stores.navigation.navigate(OptionsCategory::pulling);
    auto controller = stores.controller();
    for (auto _ : state) {
        controller->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(controller->window()->grab());
        state.PauseTiming();
        controller->window()->close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(showTheWindowAgain)->Unit(benchmark::kMillisecond);

void switchPages(benchmark::State& state)
{
    Stores stores;
    auto controller = stores.controller();
    controller->show();
    QCoreApplication::processEvents();
    bool pulling = false;
    for (auto _ : state) {
        pulling = !pulling;
        stores.navigation.navigate(pulling ? OptionsCategory::pulling : OptionsCategory::general);
        controller->view()->sync();
        benchmark::DoNotOptimize(controller->window()->grab());
    }
}
BENCHMARK(switchPages)->Unit(benchmark::kMillisecond);

// One keystroke of the search, through the sidebar: the whole catalogue searched, the hits listed.
void searchKeystroke(benchmark::State& state)
{
    Stores stores;
    auto controller = stores.controller();
    controller->show();
    QCoreApplication::processEvents();
    const QString queries[] = { QStringLiteral("m"), QStringLiteral("mi"), QStringLiteral("min") };
    int next = 0;
    for (auto _ : state) {
        stores.navigation.updateSearchText(queries[next++ % 3]);
        controller->view()->sync();
        benchmark::DoNotOptimize(controller->window()->grab());
    }
}
BENCHMARK(searchKeystroke)->Unit(benchmark::kMillisecond);

// The same keystroke without painting: the search and the sidebar's list alone.
void searchKeystrokeUnpainted(benchmark::State& state)
{
    Stores stores;
    auto controller = stores.controller();
    controller->show();
    QCoreApplication::processEvents();
    const QString queries[] = { QStringLiteral("m"), QStringLiteral("mi"), QStringLiteral("min") };
    int next = 0;
    for (auto _ : state) {
        stores.navigation.updateSearchText(queries[next++ % 3]);
        controller->view()->sync();
    }
}
BENCHMARK(searchKeystrokeUnpainted)->Unit(benchmark::kMillisecond);

// Memory the process alone holds, in kilobytes: its heap and other anonymous pages (code and font
// files read in count elsewhere; the system takes them back at will).
long anonymousKilobytes()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : rollup.readAll().split('\n')) {
        if (line.startsWith("Anonymous:"))
            return line.simplified().split(' ').value(1).toLong();
    }
    return -1;
}

// What opening the window once and closing it leaves behind: the closed window gives its
// widgets, backing store and caches back.
void reportMemoryAfterOpeningAndClosing()
{
    Stores stores;
    auto controller = stores.controller();
    // The app has its fonts set up long before (the popover is built after the paw's first frame).
    benchmark::DoNotOptimize(QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("mewt")));
    QCoreApplication::processEvents();
    const long before = anonymousKilobytes();
    controller->show();
    QCoreApplication::processEvents();
    controller->window()->grab();
    const long open = anonymousKilobytes();
    controller->window()->close();
    QCoreApplication::processEvents();
    const long after = anonymousKilobytes();
    std::printf("anonymous memory before the first opening: %ld kB, open: %ld kB, closed: %ld kB (%+ld kB)\n", before,
        open, after, after - before);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    reportMemoryAfterOpeningAndClosing();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
