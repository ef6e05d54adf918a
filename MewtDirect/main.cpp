#include "IniUserDefaults.h"
#include "QuitSignalWatcher.h"
#include "X11Display.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    mewt::preferX11Platform();
    if (!mewt::displayReachable()) {
        std::fputs("mewt: no graphical display found (is DISPLAY set?)\n", stderr);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("mewt"));
    QApplication::setDesktopFileName(QStringLiteral("mewt"));

    mewt::IniUserDefaults defaults;
    mewt::QuitSignalWatcher quitSignals;
    QObject::connect(&quitSignals, &mewt::QuitSignalWatcher::quitRequested, &application, &QApplication::quit);

    return application.exec();
}
