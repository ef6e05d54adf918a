#include "options/OptionsSetting.h"

#include <benchmark/benchmark.h>

// The search runs on every keystroke over freshly built definitions, with no cache.
static void BM_SearchKeystroke(benchmark::State& state)
{
    const QString queries[] = { QStringLiteral("m"), QStringLiteral("min"), QStringLiteral("alerts"),
        QStringLiteral("nothing matches this") };
    const QString& query = queries[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(mewt::searchResults(query, { 5 }));
}
BENCHMARK(BM_SearchKeystroke)->DenseRange(0, 3);

BENCHMARK_MAIN();
