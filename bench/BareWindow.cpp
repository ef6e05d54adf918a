// The floor for mewt's launch time and memory: a Qt program that shows one small frameless,
// always-on-top window at the top-right of the screen and does nothing else. Compare it with mewt
// under the same X server (see docs/design.md, "Shell"). With BARE_WINDOW_TICKS=1 the window holds
// a label that shows the time and changes once a second: the floor for anything that moves.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyleFactory>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::X11BypassWindowManagerHint);
    window.setWindowTitle(QStringLiteral("bare"));
    const bool ticks = qEnvironmentVariableIntValue("BARE_WINDOW_TICKS") == 1;
    const int width = ticks ? 72 : 24;
    window.setFixedSize(width, 24);
    QLabel label(&window);
    QTimer ticker;
    if (ticks) {
        label.setGeometry(0, 0, width, 24);
        label.setAlignment(Qt::AlignCenter);
        const auto show = [&label] { label.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
        show();
        QObject::connect(&ticker, &QTimer::timeout, &label, show);
        ticker.start(1000);
    }
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.right() + 1 - width - 6, area.top() + 6);
    window.show();
    return QApplication::exec();
}
