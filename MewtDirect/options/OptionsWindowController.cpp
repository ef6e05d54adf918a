#include "options/OptionsWindowController.h"

#include "model/ThemeStore.h"
#include "options/AppearanceOptionsPage.h"
#include "options/ControlsOptionsPage.h"
#include "options/OptionsPalette.h"
#include "options/OptionsWindow.h"
#include "options/PullingOptionsPage.h"
#include "options/SoundsOptionsPage.h"
#include "options/TimerOptionsPage.h"

#include <QPointer>

namespace mewt {

OptionsWindowController::OptionsWindowController(OptionsNavigationModel& navigation, OptionsChromeState& chromeState,
    Stores stores, std::function<void()> activateApplication, QObject* parent)
    : QObject(parent)
    , navigation(navigation)
    , chromeState(chromeState)
    , pageStores(stores)
    , activateApplication(std::move(activateApplication))
{
    registerPage(OptionsCategory::appearance, [this] {
        return new AppearanceOptionsPage(
            pageStores.themes, pageStores.catBeds, pageStores.popoverAppearance, pageStores.timeDisplay);
    });
    registerPage(OptionsCategory::timer, [this] {
        return new TimerOptionsPage(
            pageStores.timer, pageStores.pullSettings, pageStores.pomodoroSettings, pageStores.pomodoro);
    });
    registerPage(OptionsCategory::pulling,
        [this] { return new PullingOptionsPage(pageStores.themes, pageStores.pullSettings); });
    registerPage(OptionsCategory::controls, [this] { return new ControlsOptionsPage(pageStores.interfaceSettings); });
    registerPage(OptionsCategory::sounds, [this] {
        return new SoundsOptionsPage(
            pageStores.timer, pageStores.interfaceSettings, pageStores.soundPlayer, pageStores.catSoundPlayer);
    });
    // The highlight is the cat's accent.
    connect(&pageStores.themes, &ThemeStore::selectedChanged, this, &OptionsWindowController::synchronizeAppearance);
}

OptionsWindowController::~OptionsWindowController()
{
    shutdown();
}

void OptionsWindowController::registerPage(OptionsCategory category, OptionsView::PageFactory factory)
{
    factories.insert(category, factory);
    if (OptionsView* root = view())
        root->registerPage(category, std::move(factory));
}

OptionsView* OptionsWindowController::view() const
{
    return optionsWindow ? optionsWindow->view() : nullptr;
}

void OptionsWindowController::build()
{
    auto* root = new OptionsView(navigation, chromeState, &pageStores.themes, handover);
    for (auto factory = factories.cbegin(); factory != factories.cend(); ++factory)
        root->registerPage(factory.key(), factory.value());
    if (optionsWindow) {
        optionsWindow->setView(root);
        return;
    }
    optionsWindow = std::make_unique<OptionsWindow>(root);
    // Once the hide is over: the replay button that hid it is still in its click.
    connect(optionsWindow.get(), &OptionsWindow::hidden, this,
        [this] { QMetaObject::invokeMethod(this, &OptionsWindowController::release, Qt::QueuedConnection); });
    synchronizeAppearance();
}

void OptionsWindowController::release()
{
    if (!optionsWindow || optionsWindow->isVisible() || !optionsWindow->view())
        return;
    handover = optionsWindow->view()->handover();
    optionsWindow->releaseContent();
}

void OptionsWindowController::show()
{
    if (shutDown)
        return;
    if (!view())
        build();
    synchronizeAppearance();
    if (activateApplication)
        activateApplication();
    optionsWindow->present();
}

void OptionsWindowController::setDark(bool isDark)
{
    if (shutDown)
        return;
    dark = isDark;
    synchronizeAppearance();
}

void OptionsWindowController::synchronizeAppearance()
{
    if (shutDown || !optionsWindow)
        return;
    const ColorScheme scheme = dark ? ColorScheme::dark : ColorScheme::light;
    const QPalette colors = optionsPalette(dark, pageStores.themes.selected().popoverPalette(scheme).accentColor);
    if (optionsWindow->palette() != colors)
        optionsWindow->setPalette(colors);
}

void OptionsWindowController::replayOnboarding()
{
    const QPointer<OptionsWindowController> self(this);
    if (optionsWindow)
        optionsWindow->hide();
    if (self && self->onReplayOnboarding)
        self->onReplayOnboarding();
}

void OptionsWindowController::shutdown()
{
    if (shutDown)
        return;
    shutDown = true;
    onReplayOnboarding = nullptr;
    if (optionsWindow)
        optionsWindow->closeForGood();
}

} // namespace mewt
