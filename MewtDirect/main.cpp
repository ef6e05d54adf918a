#include "CatBedStore.h"
#include "Clock.h"
#include "IniUserDefaults.h"
#include "InterfaceSettingsStore.h"
#include "OnboardingStore.h"
#include "PomodoroSettingsStore.h"
#include "PopoverAppearanceStore.h"
#include "PullSettingsStore.h"
#include "QuitSignalWatcher.h"
#include "ThemeStore.h"
#include "TimeDisplaySettingsStore.h"
#include "TimerStore.h"
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
    // Every setting is read (and mended where the file held nonsense) before anything is shown.
    mewt::ThemeStore themeStore(defaults);
    mewt::CatBedStore catBedStore(defaults);
    mewt::PopoverAppearanceStore popoverAppearanceStore(defaults);
    mewt::PullSettingsStore pullSettingsStore(defaults);
    mewt::TimeDisplaySettingsStore timeDisplaySettingsStore(defaults);
    mewt::InterfaceSettingsStore interfaceSettingsStore(defaults);
    mewt::PomodoroSettingsStore pomodoroSettingsStore(defaults);
    mewt::OnboardingStore onboardingStore(defaults);
    mewt::SystemClock clock;
    // Restores the stored timer. Without a notification service it announces nothing.
    mewt::TimerStore timerStore(defaults, clock, nullptr);
    timerStore.startNotifications();
    mewt::QuitSignalWatcher quitSignals;
    QObject::connect(&quitSignals, &mewt::QuitSignalWatcher::quitRequested, &application, &QApplication::quit);

    return application.exec();
}
