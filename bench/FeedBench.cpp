// Reading the update feed: a plain 1 MB feed, and 1 MB feeds built to make the XML reader work
// hard (one element with 116,000 attributes; elements nested 100,000 deep). Each must come back
// in well under a frame's work, and runs off the GUI thread anyway.
#include "platform/UpdateChecker.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace mewt;

namespace {

const RunningVersion running { QStringLiteral("1.0.0"), QStringLiteral("1") };

QByteArray feedWith(const QByteArray& inside)
{
    return "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>"
        + inside + "</channel></rss>";
}

QByteArray plainFeed()
{
    QByteArray items;
    for (int build = 1; items.size() < 1'000'000; ++build)
        items += "<item><title>mewt</title><sparkle:version>" + QByteArray::number(build)
            + "</sparkle:version><link>https://example.org/</link></item>";
    return feedWith(items);
}

QByteArray manyAttributes()
{
    QByteArray tag = "<title";
    for (int index = 0; index < 116'000; ++index)
        tag += " a" + QByteArray::number(index) + "=\"\"";
    return feedWith(tag + "/>");
}

QByteArray deepNesting()
{
    return feedWith(QByteArray("<x>").repeated(100'000) + QByteArray("</x>").repeated(100'000));
}

void readFeed(benchmark::State& state, const QByteArray& feed)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluateAppcast(feed, running));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * feed.size());
}

BENCHMARK_CAPTURE(readFeed, plain1MB, plainFeed())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFeed, manyAttributes1MB, manyAttributes())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readFeed, deepNesting, deepNesting())->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
