#include "AudioEngine.h"
#include "CatBedStore.h"
#include "CatSoundPlayer.h"
#include "Clock.h"
#include "IniUserDefaults.h"
#include "InterfaceSettingsStore.h"
#include "OnboardingStore.h"
#include "PomodoroSettingsStore.h"
#include "PomodoroStore.h"
#include "PopoverAppearanceStore.h"
#include "PullSettingsStore.h"
#include "QuitSignalWatcher.h"
#include "TactileSoundPlayer.h"
#include "ThemeStore.h"
#include "TimeDisplaySettingsStore.h"
#include "TimerStore.h"
#include "X11Display.h"

#include <QApplication>
#include <QPointer>

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
    // One sound output for the process; it reaches the sound server only while something plays.
    mewt::AudioEngine audioEngine;
    mewt::TactileSoundPlayer tactileSoundPlayer(interfaceSettingsStore, audioEngine, clock);
    mewt::CatSoundPlayer catSoundPlayer(interfaceSettingsStore, audioEngine);
    tactileSoundPlayer.start();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &tactileSoundPlayer, [&] {
        catSoundPlayer.stopAll();
        tactileSoundPlayer.shutdown();
    });
    // Restores the stored timer. Without a notification service it announces nothing.
    mewt::TimerStore timerStore(defaults, clock, nullptr);
    timerStore.startNotifications();
    // Restores the stored pomodoro plan and makes it agree with the timer restored above.
    mewt::PomodoroStore pomodoroStore(defaults, clock, timerStore, pomodoroSettingsStore);
    {
        const QPointer<mewt::PomodoroStore> pomodoro(&pomodoroStore);
        timerStore.onStateChange = [pomodoro](const mewt::TimerState& previous, const mewt::TimerState& current,
                                       mewt::TimerStateChangeReason reason) {
            if (pomodoro)
                pomodoro->timerStateDidChange(previous, current, reason);
        };
        pomodoroSettingsStore.onConfigurationChange = [pomodoro](const mewt::PomodoroConfiguration& configuration) {
            if (pomodoro)
                pomodoro->configurationDidChange(configuration);
        };
    }
    pomodoroStore.reconcileWithTimer();
    mewt::QuitSignalWatcher quitSignals;
    QObject::connect(&quitSignals, &mewt::QuitSignalWatcher::quitRequested, &application, &QApplication::quit);

    return application.exec();
}
