#include "shell/MewtApp.h"

#include "artwork/AppIcon.h"
#include "platform/AccessibleCallGuard.h"
#include "platform/AppInfo.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/X11Display.h"
#include "platform/X11WindowLoss.h"
#include "platform/XSettingsGuard.h"
#include "shell/AppDelegate.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace mewt {

int MewtApp::run(int argc, char** argv)
{
    preferX11Platform();
    // Each frame of ours changes a few cells of a small window. With shared-memory images Qt waits
    // for the server to finish the previous put (a round trip) before it paints the same place
    // again, which trebles what an animation wakes; plain puts of such areas cost less.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    std::optional<DisplayProbe> display(std::in_place);
    if (!display->reachable()) {
        std::fputs("mewt: no graphical display found (is DISPLAY set?)\n", stderr);
        return 1;
    }

    // Held until the process ends; the kernel lets go of it however that happens.
    SingleInstanceGuard instance(
        SingleInstanceGuard::defaultLockPath(), SingleInstanceGuard::defaultSettingsLockPath());
    const SingleInstanceGuard::Outcome outcome = instance.tryAcquire();
    if (outcome == SingleInstanceGuard::Outcome::heldElsewhere) {
        std::fputs("mewt is already running.\n", stderr);
        return 0;
    }
    if (outcome == SingleInstanceGuard::Outcome::unavailable)
        std::fputs("mewt: no instance lock could be taken; another copy may run at the same time.\n", stderr);

    XSettingsGuard::clearUnreadable(display->x11Connection());
    QApplication application(argc, argv);
    display.reset();
    QApplication::setQuitOnLastWindowClosed(false);
    nameApplication();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    recoverLostWindows();
    const AccessibleCallGuard readerCalls;
    const XSettingsGuard xsettings;

    AppDelegate delegate;
    // The paw has no use for it, and drawing it at every size takes longer than showing the paw.
    delegate.onLaunchComplete = &MewtApp::giveApplicationIcon;
    QTimer::singleShot(0, &delegate, &AppDelegate::applicationDidFinishLaunching);
    return QApplication::exec();
}

void MewtApp::describeApplication()
{
    nameApplication();
    giveApplicationIcon();
}

void MewtApp::nameApplication()
{
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::name));
    QApplication::setApplicationVersion(QString::fromUtf8(AppInfo::shortVersion));
    QApplication::setDesktopFileName(QString::fromUtf8(AppInfo::bundleIdentifier));
}

void MewtApp::giveApplicationIcon()
{
    QApplication::setWindowIcon(AppIcon::icon());
}

} // namespace mewt
