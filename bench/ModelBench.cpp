#include "platform/MemoryUserDefaults.h"

#include <benchmark/benchmark.h>

// Reading a setting happens on every settings-store build and on many redraws; keep it cheap.
static void BM_TypedRead(benchmark::State& state)
{
    mewt::MemoryUserDefaults defaults;
    defaults.seed(QStringLiteral("tactileSoundVolume"), QStringLiteral("0.5"));
    for (auto _ : state)
        benchmark::DoNotOptimize(defaults.doubleValue(QStringLiteral("tactileSoundVolume")));
}
BENCHMARK(BM_TypedRead);

BENCHMARK_MAIN();
