#include "platform/X11GlobalPointerMonitor.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <xcb/xcb.h>

namespace mewt {
namespace {

// A private X server, so that the pointer moves and clicks of these tests reach no one's desktop.
class PrivateDisplay {
public:
    PrivateDisplay()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            return;
        for (int attempt = 0; attempt < 20 && !connection; ++attempt) {
            name = QByteArray(":") + QByteArray::number(200 + (getpid() + attempt * 37) % 5000);
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(name.mid(1))))
                continue;
            server.start(QStringLiteral("Xvfb"),
                { QString::fromLatin1(name), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("640x480x24") });
            for (int wait = 0; wait < 100 && server.state() != QProcess::NotRunning; ++wait) {
                xcb_connection_t* attemptConnection = xcb_connect(name.constData(), nullptr);
                if (!xcb_connection_has_error(attemptConnection)) {
                    connection = attemptConnection;
                    break;
                }
                xcb_disconnect(attemptConnection);
                QTest::qWait(50);
            }
            if (!connection)
                stop();
        }
    }
    ~PrivateDisplay()
    {
        if (connection)
            xcb_disconnect(connection);
        stop();
    }

    bool isRunning() const { return connection != nullptr; }

    QPointF pointer() const
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_query_pointer_reply_t* reply
            = xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
        const QPointF at = reply ? QPointF(reply->root_x, reply->root_y) : QPointF();
        std::free(reply);
        return at;
    }

    // Puts the pointer at `to` the way a mouse does: a warp makes no input event at all.
    void moveTo(QPoint to)
    {
        const QPointF from = pointer();
        xdotool({ QStringLiteral("mousemove_relative"), QStringLiteral("--"), QString::number(to.x() - from.x()),
            QString::number(to.y() - from.y()) });
    }

    // Runs xdotool to the end without turning the event loop, so what it causes waits on the socket.
    void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(name));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        ASSERT_TRUE(tool.waitForFinished(5000));
        ASSERT_EQ(tool.exitCode(), 0);
    }

    QByteArray name;

private:
    void stop()
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            server.waitForFinished(3000);
        }
    }

    QProcess server;
    xcb_connection_t* connection = nullptr;
};

class X11PointerMonitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display.isRunning())
            GTEST_SKIP() << "no Xvfb or xdotool";
        monitor = std::make_unique<X11GlobalPointerMonitor>(display.name, [this] { return display.pointer(); });
    }

    // Lets whatever the X server sends arrive and the frame that coalesces it end.
    static void settle() { QTest::qWait(120); }

    PrivateDisplay display;
    std::unique_ptr<X11GlobalPointerMonitor> monitor;
    QObject subscriber;
};

using X11PointerMotionTest = X11PointerMonitorTest;

TEST_F(X11PointerMotionTest, ReportsMovesOnlyWhileSomeoneFollows)
{
    ASSERT_TRUE(monitor->canSeeGlobalClicks());
    QSignalSpy moves(monitor.get(), &GlobalPointerMonitor::pointerMoved);

    display.moveTo({ 100, 120 });
    settle();
    EXPECT_EQ(moves.count(), 0);

    monitor->subscribe(GlobalPointerMonitor::Stream::motion, &subscriber);
    display.moveTo({ 300, 200 });
    ASSERT_TRUE(moves.wait(2000));
    EXPECT_EQ(moves.last().at(0).toPointF(), QPointF(300, 200));
    EXPECT_FALSE(monitor->isPolling());

    monitor->unsubscribe(GlobalPointerMonitor::Stream::motion, &subscriber);
    settle();
    moves.clear();
    display.moveTo({ 50, 60 });
    settle();
    EXPECT_EQ(moves.count(), 0);
}

TEST_F(X11PointerMotionTest, ABurstOfMovesIsOneReportOfWhereThePointerEnded)
{
    monitor->subscribe(GlobalPointerMonitor::Stream::motion, &subscriber);
    display.moveTo({ 0, 0 });
    settle();
    QSignalSpy moves(monitor.get(), &GlobalPointerMonitor::pointerMoved);
    QStringList burst;
    for (int step = 1; step <= 20; ++step)
        burst << QStringLiteral("mousemove_relative") << QStringLiteral("10") << QStringLiteral("5");
    display.xdotool(burst);
    settle();
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.at(0).at(0).toPointF(), QPointF(200, 100));
}

TEST_F(X11PointerMotionTest, ASubscriberThatGoesAwayStopsTheReports)
{
    QSignalSpy moves(monitor.get(), &GlobalPointerMonitor::pointerMoved);
    {
        QObject shortLived;
        monitor->subscribe(GlobalPointerMonitor::Stream::motion, &shortLived);
        settle();
    }
    display.moveTo({ 400, 300 });
    settle();
    EXPECT_EQ(moves.count(), 0);
}

struct PressCase {
    const char* name;
    const char* button;
    bool reported;
};

class X11PointerPressTest : public X11PointerMonitorTest, public ::testing::WithParamInterface<PressCase> { };

TEST_P(X11PointerPressTest, ReportsLeftAndRightClicksWithThePointer)
{
    display.moveTo({ 220, 140 });
    QSignalSpy presses(monitor.get(), &GlobalPointerMonitor::buttonPressed);
    display.xdotool({ QStringLiteral("click"), QString::fromLatin1(GetParam().button) });
    settle();
    EXPECT_EQ(presses.count(), 0) << "nobody subscribed";

    monitor->subscribe(GlobalPointerMonitor::Stream::presses, &subscriber);
    settle();
    display.xdotool({ QStringLiteral("click"), QString::fromLatin1(GetParam().button) });
    settle();
    ASSERT_EQ(presses.count(), GetParam().reported ? 1 : 0);
    if (GetParam().reported) {
        EXPECT_EQ(presses.at(0).at(0).toPointF(), QPointF(220, 140));
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, X11PointerPressTest,
    ::testing::Values(PressCase { "left", "1", true }, PressCase { "right", "3", true },
        PressCase { "middle", "2", false }, PressCase { "wheelUp", "4", false }, PressCase { "wheelDown", "5", false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(X11PointerFallbackTest, WithoutAServerItPollsOnlyWhileSomeoneFollows)
{
    QPointF pointer(10, 10);
    X11GlobalPointerMonitor monitor(QByteArrayLiteral(":99999"), [&pointer] { return pointer; });
    EXPECT_FALSE(monitor.canSeeGlobalClicks());
    EXPECT_FALSE(monitor.isPolling());

    QObject subscriber;
    QSignalSpy moves(&monitor, &GlobalPointerMonitor::pointerMoved);
    monitor.subscribe(GlobalPointerMonitor::Stream::presses, &subscriber);
    EXPECT_FALSE(monitor.isPolling());
    monitor.subscribe(GlobalPointerMonitor::Stream::motion, &subscriber);
    EXPECT_TRUE(monitor.isPolling());
    pointer = QPointF(40, 50);
    ASSERT_TRUE(moves.wait(1000));
    EXPECT_EQ(moves.last().at(0).toPointF(), QPointF(40, 50));

    monitor.unsubscribe(GlobalPointerMonitor::Stream::motion, &subscriber);
    EXPECT_FALSE(monitor.isPolling());
}

} // namespace
} // namespace mewt
