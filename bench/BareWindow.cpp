// The floor for mewt's launch time and memory: a Qt program that shows one small frameless,
// always-on-top window at the top-right of the screen and does nothing else. Compare it with mewt
// under the same X server (see docs/design.md, "Shell").
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::X11BypassWindowManagerHint);
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(24, 24);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.right() + 1 - 24 - 6, area.top() + 6);
    window.show();
    return QApplication::exec();
}
