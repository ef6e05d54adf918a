// Per-frame costs of a pull: the overlay following the pointer (model, layout, pill and the repaint
// of what moved), the status text built for each pointer event, and one frame of the yarn strand.
#include "model/CatTheme.h"
#include "pull/PullInteractionController.h"
#include "pull/PullOverlayController.h"
#include "pull/PullOverlayView.h"
#include "pull/YarnStringSimulation.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace mewt;

namespace {

// One frame of the overlay following the pointer; with `paint`, also the repaint of what moved.
void overlayFrames(benchmark::State& state, bool paint)
{
    PullOverlayController overlay;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    overlay.begin(QPointF(screen.width() - 80, 12), screen, CatTheme::withId(QStringLiteral("orange-tabby")));
    int frame = 0;
    for (auto _ : state) {
        const double y = 40 + (frame % 400);
        overlay.update(QPointF(screen.width() - 80 + 30 * std::sin(frame * 0.05), y),
            QStringLiteral("%1 min · 14:%2").arg(frame % 60).arg(frame % 60, 2, 10, QLatin1Char('0')), false);
        if (paint)
            QApplication::processEvents();
        ++frame;
    }
}

void overlayUpdate(benchmark::State& state) { overlayFrames(state, false); }
BENCHMARK(overlayUpdate)->Unit(benchmark::kMicrosecond);

void overlayUpdateAndPaint(benchmark::State& state) { overlayFrames(state, true); }
BENCHMARK(overlayUpdateAndPaint)->Unit(benchmark::kMicrosecond);

void statusText(benchmark::State& state)
{
    PullStatusInput preview;
    preview.steps = 12;
    preview.seconds = 720;
    preview.now = std::chrono::system_clock::now();
    preview.timerState = TimerState::running(preview.now + std::chrono::minutes(7));
    const QLocale locale = QLocale::system();
    for (auto _ : state)
        benchmark::DoNotOptimize(pullStatusText(preview, locale));
}
BENCHMARK(statusText)->Unit(benchmark::kMicrosecond);

void yarnStringStep(benchmark::State& state)
{
    YarnStringSimulation string;
    string.reset(QPointF(0, 0), QPointF(0, 0));
    int frame = 0;
    for (auto _ : state) {
        string.setEnds(QPointF(0, 0), QPointF(120 + 60 * std::sin(frame * 0.07), 80 + 40 * std::cos(frame * 0.05)));
        string.step();
        benchmark::DoNotOptimize(string.points().data());
        ++frame;
    }
}
BENCHMARK(yarnStringStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
