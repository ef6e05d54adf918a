// Per-frame costs of the welcome tour's demos: one frame of the pull demo (pose, pill text and the
// paint of the scaled drawing) and of the top bar demo, as the popover shows them.
#include "artwork/PullPreview.h"
#include "model/CatTheme.h"
#include "tour/MenuBarRevealPreview.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace mewt;

namespace {

template <typename Demo> void frames(benchmark::State& state, Demo& demo, double cycle)
{
    QImage canvas(demo.sizeHint() * 2, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(2.0);
    int frame = 0;
    for (auto _ : state) {
        // Walk the moving part of the cycle, where every frame paints.
        demo.showFrame(0.8 + std::fmod(frame * 0.016, cycle - 1.0));
        canvas.fill(Qt::transparent);
        demo.render(&canvas);
        ++frame;
    }
}

void pullDemoFrame(benchmark::State& state)
{
    PullPreview demo(CatTheme::withId(QStringLiteral("calico")), 70.0, QSizeF(220.0, 100.0), 0.78, 0.44);
    demo.resize(demo.sizeHint());
    frames(state, demo, pullPreviewCycle(0.44).duration());
}
BENCHMARK(pullDemoFrame)->Unit(benchmark::kMicrosecond);

void topBarDemoFrame(benchmark::State& state)
{
    const CatTheme& theme = CatTheme::withId(QStringLiteral("orange-tabby"));
    MenuBarRevealPreview demo(theme, theme.popoverPalette(ColorScheme::light));
    frames(state, demo, MenuBarRevealPreview::cycle().duration());
}
BENCHMARK(topBarDemoFrame)->Unit(benchmark::kMicrosecond);

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
