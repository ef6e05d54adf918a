#include "shell/FirstFrameWatcher.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

// A widget that counts its paints, to tell the callback's moment from the frame's.
class CountingWidget final : public QWidget {
public:
    int paints = 0;
    int paintsAtCallback = -1;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct Case {
    const char* name;
    bool shown;
    bool cancelled;
    int calls;
    bool beforeLimit; // the call came from the frame, long before the limit
};

class FirstFrame : public ::testing::TestWithParam<Case> { };

TEST_P(FirstFrame, CallsBackOnceAfterTheFirstPaintOrAtTheLimit)
{
    const Case& c = GetParam();
    CountingWidget widget;
    widget.resize(24, 24);
    int calls = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 calledAfter = -1;
    FirstFrameWatcher watcher(widget, 400ms, [&] {
        ++calls;
        calledAfter = clock.elapsed();
        widget.paintsAtCallback = widget.paints;
    });
    if (c.shown)
        widget.show();
    if (c.cancelled)
        watcher.cancel();
    EXPECT_EQ(calls, 0) << "never from inside show";
    QTest::qWait(600);
    widget.update();
    QTest::qWait(50);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(watcher.isPending(), false);
    if (c.calls == 1) {
        EXPECT_EQ(calledAfter < 300, c.beforeLimit) << calledAfter;
        if (c.shown) {
            EXPECT_GE(widget.paintsAtCallback, 1) << "the frame was painted first";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Watcher, FirstFrame,
    ::testing::Values(Case { "painted", true, false, 1, true }, Case { "neverPainted", false, false, 1, false },
        Case { "cancelledBeforeThePaint", true, true, 0, false }, Case { "cancelledUnshown", false, true, 0, false }),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(FirstFrameWatcherLifetime, AWidgetGoneBeforeItPaintedStillGetsTheCallAtTheLimit)
{
    auto widget = std::make_unique<QWidget>();
    int calls = 0;
    FirstFrameWatcher watcher(*widget, 100ms, [&] { ++calls; });
    widget.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls == 1; }, 2000));
}

} // namespace
