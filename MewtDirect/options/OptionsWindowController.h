#pragma once

#include "options/OptionsView.h"

#include <QObject>
#include <functional>
#include <memory>

namespace mewt {

class CatBedStore;
class CatSoundPlayer;
class InterfaceSettingsStore;
class OptionsWindow;
class PomodoroSettingsStore;
class PomodoroStore;
class PopoverAppearanceStore;
class PullSettingsStore;
class TactileSoundPlayer;
class TimeDisplaySettingsStore;
class TimerStore;

// Owns the options window for the life of the process. The coordinator builds it at start with the
// navigation model and chrome state; the window's widgets are built when it is shown and given
// back once it is hidden, so idle memory does not grow with it. Page, history and search live in
// the navigation model, and the page's scroll passes to the next build, so a reopened window looks
// as it was left.
class OptionsWindowController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsWindowController)

public:
    // What the pages edit and play.
    struct Stores {
        TimerStore& timer;
        ThemeStore& themes;
        CatBedStore& catBeds;
        PopoverAppearanceStore& popoverAppearance;
        PullSettingsStore& pullSettings;
        TimeDisplaySettingsStore& timeDisplay;
        InterfaceSettingsStore& interfaceSettings;
        PomodoroSettingsStore& pomodoroSettings;
        PomodoroStore& pomodoro;
        TactileSoundPlayer& soundPlayer;
        CatSoundPlayer& catSoundPlayer;
    };

    // `activateApplication` brings the app forward before the window shows; empty does nothing.
    OptionsWindowController(OptionsNavigationModel& navigation, OptionsChromeState& chromeState, Stores stores,
        std::function<void()> activateApplication = {}, QObject* parent = nullptr);
    ~OptionsWindowController() override;

    // Run after the window has hidden, when the general page asks to replay the welcome tour.
    std::function<void()> onReplayOnboarding;

    // Every page but the general one is registered here; that one needs services from above.
    void registerPage(OptionsCategory category, OptionsView::PageFactory factory);
    bool hasPage(OptionsCategory category) const { return factories.contains(category); }

    // Shows the window on the page the navigation model holds, raised and focused. Nothing after
    // shutdown.
    void show();
    // Light or dark, now for a built window and before the next show otherwise.
    void setDark(bool dark);
    bool isDark() const { return dark; }
    // What the general page's "replay" runs: hides the window, then asks the owner.
    void replayOnboarding();
    // Closes the window for good; show and setDark do nothing afterwards. Idempotent.
    void shutdown();
    bool isShutdown() const { return shutDown; }

    const Stores& stores() const { return pageStores; }
    // Null until the first show.
    OptionsWindow* window() const { return optionsWindow.get(); }
    // Null while the window is not built or has given its content back.
    OptionsView* view() const;

private:
    void build();
    void release();
    void synchronizeAppearance();

    OptionsNavigationModel& navigation;
    OptionsChromeState& chromeState;
    Stores pageStores;
    std::function<void()> activateApplication;
    QMap<OptionsCategory, OptionsView::PageFactory> factories;
    std::unique_ptr<OptionsWindow> optionsWindow;
    OptionsViewHandover handover;
    bool dark = false;
    bool shutDown = false;
};

} // namespace mewt
