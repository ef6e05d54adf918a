#include "popover/TimerPopoverView.h"

#include "artwork/ReducedMotion.h"
#include "cues/TactileSoundPlayer.h"
#include "model/AppLanguage.h"
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/Clock.h"
#include "platform/SystemSettingsLauncher.h"
#include "popover/ActiveDisplayPage.h"
#include "popover/ClockNameField.h"
#include "popover/ClockTimeField.h"
#include "popover/ClockTimeText.h"
#include "popover/CompactToolbar.h"
#include "popover/ContentSwitcher.h"
#include "popover/EditingFrameReader.h"
#include "popover/IdleDisplayPage.h"
#include "popover/InlineTextField.h"
#include "popover/MoreActionsMenu.h"
#include "popover/NotificationBanner.h"
#include "popover/PomodoroDurationControls.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverHeader.h"
#include "popover/PopoverWidgetPalette.h"
#include "popover/ReadingOrder.h"
#include "popover/SessionNameField.h"
#include "popover/TimeButton.h"
#include "popover/TimerDisplayContent.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/WaitingDisplayPage.h"
#include "tour/OnboardingNotifications.h"
#include "tour/OnboardingView.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWindow>

namespace mewt {

namespace {

constexpr int tourFadeMs = 200;

// The tour and the timer content take each other's place with a short fade in; nothing moves
// with reduced motion or while the popover is not on screen.
void fadeIn(QWidget& widget, bool onScreen)
{
    if (!onScreen || reducesMotion())
        return;
    auto* effect = new QGraphicsOpacityEffect(&widget);
    effect->setOpacity(0.0);
    widget.setGraphicsEffect(effect);
    auto* fade = new QVariantAnimation(&widget);
    fade->setDuration(tourFadeMs);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->setEasingCurve(QEasingCurve::OutCubic);
    QObject::connect(fade, &QVariantAnimation::valueChanged, effect,
        [effect](const QVariant& value) { effect->setOpacity(value.toDouble()); });
    // Drawing through the effect costs every frame; it goes as soon as the fade ends.
    QObject::connect(fade, &QVariantAnimation::finished, &widget, [&widget] { widget.setGraphicsEffect(nullptr); });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}
constexpr int sidePadding = 8;
constexpr int bottomPadding = 8;
constexpr int standardTopPadding = 5;
constexpr int zenAttachedTopPadding = 8;
constexpr int zenDetachedTopPadding = 4;
constexpr int itemSpacing = 4;
constexpr int cardRadius = 13;
constexpr int zenCardRadius = 6;
constexpr int displayPadding = 10;
constexpr int zenDisplayPadding = 8;
constexpr double tickVolume = 0.2;
// Deeper than the nesting of layouts between the root and its smallest child.
constexpr int layoutDepth = 8;
} // namespace

// The inner card the display sits on.
class PopoverCard final : public QWidget {
public:
    using QWidget::QWidget;
    int radius = cardRadius;
    QColor fill;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
    }
};

TimerPopoverView::TimerPopoverView(const TimerPopoverStores& stores, TimerPopoverPresentation& presentation,
    TactileSoundPlayer* soundPlayer, const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , openNotificationSettings([] { return SystemSettingsLauncher().openNotificationSettings(); })
    , stores(stores)
    , presentation(presentation)
    , soundPlayer(soundPlayer)
    , clock(clock)
    , column(new QVBoxLayout(this))
    , header(new QWidget(this))
    , card(new PopoverCard(this))
    , switcher(new ContentSwitcher(card))
    , active(new ActiveDisplayPage(switcher))
    , waiting(new WaitingDisplayPage(switcher))
    , idle(new IdleDisplayPage(switcher))
    , moreMenu(new MoreActionsMenu(stores, true, this))
    , headerView(new PopoverHeader(*moreMenu, header))
    , compactMenu(new MoreActionsMenu(stores, false, this))
    , toolbars { new CompactToolbar(*compactMenu, &idle->compactToolbarSlot()),
        new CompactToolbar(*compactMenu, &active->compactToolbarSlot()),
        new CompactToolbar(*compactMenu, &waiting->compactToolbarSlot()) }
    , detachedToolbar(new CompactToolbar(*compactMenu, header))
    , nameFields { new SessionNameField(Qt::AlignHCenter, &idle->sessionNameSlot()),
        new SessionNameField(Qt::AlignLeading, &idle->zenSessionNameSlot()) }
{
    installPopoverAccessibility();
    setFixedWidth(contentWidth);
    // The window's first focus, so Space and Return reach the root's own keys rather than whichever
    // control comes first; a click on empty space takes the keyboard from an open field. Tab passes
    // over it (focusNextPrevChild).
    setFocusPolicy(Qt::StrongFocus);
    header->setObjectName(QStringLiteral("popoverHeaderSlot"));
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    headerLayout->addWidget(headerView);
    headerLayout->addWidget(detachedToolbar);
    column->setSpacing(itemSpacing);
    column->addWidget(header);
    column->addWidget(card);
    column->setSizeConstraint(QLayout::SetDefaultConstraint);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->addWidget(switcher);
    switcher->addPage(idle);
    switcher->addPage(active);
    switcher->addPage(waiting);

    secondTicker.setSingleShot(true);
    secondTicker.setTimerType(Qt::PreciseTimer);
    connect(&secondTicker, &QTimer::timeout, this, &TimerPopoverView::tick);

    connect(active, &ActiveDisplayPage::timePressed, this, &TimerPopoverView::togglePause);
    connect(active, &ActiveDisplayPage::cancelPressed, this, &TimerPopoverView::stopTimer);
    connect(active, &ActiveDisplayPage::nextPhasePressed, this,
        [this] { this->stores.pomodoro.skipPhase(this->clock.now()); });
    connect(waiting, &WaitingDisplayPage::startPressed, this,
        [this] { this->stores.pomodoro.startCurrentPhase(this->clock.now()); });
    connect(waiting, &WaitingDisplayPage::cancelPressed, this, &TimerPopoverView::stopTimer);
    connect(idle, &IdleDisplayPage::startPressed, this, &TimerPopoverView::startWithoutPulling);
    connect(idle, &IdleDisplayPage::startRequested, &presentation, &TimerPopoverPresentation::requestStart);
    connect(idle, &IdleDisplayPage::modePicked, &stores.pomodoroSettings, &PomodoroSettingsStore::setMode);
    connect(headerView, &PopoverHeader::notificationActionPressed, this, &TimerPopoverView::performNotificationAction);
    connect(headerView, &PopoverHeader::updatePressed, this, [this] {
        if (onCheckForUpdates)
            onCheckForUpdates();
    });
    const auto call = [this](std::function<void()> TimerPopoverView::*callback) {
        return [this, callback] {
            if (this->*callback)
                (this->*callback)();
        };
    };
    connect(
        headerView, &PopoverHeader::pinPressed, this, [this] { requestDetached(!this->presentation.isDetached()); });
    connect(headerView, &PopoverHeader::closePressed, this, [this] { requestDetached(false); });
    for (CompactToolbar* toolbar : toolbars)
        toolbar->parentWidget()->layout()->addWidget(toolbar);
    for (CompactToolbar* toolbar : { toolbars[0], toolbars[1], toolbars[2], detachedToolbar }) {
        connect(toolbar, &CompactToolbar::stopPressed, this, &TimerPopoverView::stopTimer);
        connect(toolbar, &CompactToolbar::skipPressed, this,
            [this] { this->stores.pomodoro.skipPhase(this->clock.now()); });
        connect(
            toolbar, &CompactToolbar::pinPressed, this, [this] { requestDetached(!this->presentation.isDetached()); });
        connect(toolbar, &CompactToolbar::closePressed, this, [this] { requestDetached(false); });
    }
    for (SessionNameField* field : nameFields) {
        field->parentWidget()->layout()->addWidget(field);
        connect(field, &SessionNameField::nameEdited, this, [this, field](const QString& text) {
            field->showName(this->stores.timer.draftName(), keepSessionNameEdit(text, field->cursorPosition()));
        });
        connect(field, &QLineEdit::returnPressed, this, &TimerPopoverView::startWithoutPulling);
    }
    for (MoreActionsMenu* menu : { moreMenu, compactMenu }) {
        connect(menu, &MoreActionsMenu::sendFeedbackChosen, this, call(&TimerPopoverView::onSendFeedback));
        connect(menu, &MoreActionsMenu::optionsChosen, this, call(&TimerPopoverView::onShowOptions));
        connect(menu, &MoreActionsMenu::quitChosen, this, call(&TimerPopoverView::onQuit));
    }
    connect(moreMenu, &MoreActionsMenu::welcomeTourChosen, this, call(&TimerPopoverView::onShowWelcomeTour));
    setUpClockFace();
    buildDurationControls();
    connectStores();
    // A control that held the keyboard and went leaves the window with none; the check waits a turn,
    // since a field closed on purpose may hand the keyboard on itself.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && !now && isAncestorOf(old))
            QMetaObject::invokeMethod(this, &TimerPopoverView::reclaimKeyboard, Qt::QueuedConnection);
    });
    sync();
}

TimerPopoverView::~TimerPopoverView()
{
    if (watchingTaps)
        qApp->removeEventFilter(this);
    // Closing the window would take the keyboard from an open field once this view's own part is
    // gone, and the field's handlers call into it: let the field lose it now.
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
}

void TimerPopoverView::connectStores()
{
    const auto later = [this] { scheduleSync(); };
    connect(&stores.timer, &TimerStore::stateChanged, this, later);
    connect(&stores.timer, &TimerStore::activeNameChanged, this, later);
    connect(&stores.timer, &TimerStore::draftNameChanged, this, later);
    connect(&stores.timer, &TimerStore::totalDurationSecondsChanged, this, later);
    connect(&stores.pomodoro, &PomodoroStore::planChanged, this, later);
    connect(&stores.pomodoro, &PomodoroStore::yarnScheduleChanged, this, later);
    connect(&stores.pomodoroSettings, &PomodoroSettingsStore::configurationChanged, this, later);
    connect(&stores.pomodoroSettings, &PomodoroSettingsStore::isContinuousModeEnabledChanged, this, later);
    connect(&stores.interfaceSettings, &InterfaceSettingsStore::showsTimerModePickerChanged, this, later);
    connect(&stores.interfaceSettings, &InterfaceSettingsStore::showsTimerInstructionsChanged, this, later);
    connect(&stores.interfaceSettings, &InterfaceSettingsStore::languageChanged, this, later);
    connect(&stores.pullSettings, &PullSettingsStore::quickTimeMinutesChanged, this, later);
    connect(&stores.theme, &ThemeStore::selectedChanged, this, later);
    connect(&stores.appearance, &PopoverAppearanceStore::selectedChanged, this, later);
    connect(&stores.onboarding, &OnboardingStore::isPresentedChanged, this, later);
    connect(&presentation, &TimerPopoverPresentation::detachedChanged, this, later);
    // Pinning and reattaching make the window anew; whatever had the keyboard went with the old one.
    connect(
        &presentation, &TimerPopoverPresentation::detachedChanged, this, [this] { setFocus(Qt::OtherFocusReason); });
    connect(&stores.timer, &TimerStore::notificationAuthorizationChanged, this, later);
    connect(&stores.timer, &TimerStore::notificationDeliveryStateChanged, this, later);
    connect(this, &TimerPopoverView::notificationSettingsUnavailableChanged, this, later);

    // Edits settle at once, before the change they answer shows.
    const auto settleThenSync = [this] {
        settleOpenEdits();
        scheduleSync();
    };
    connect(&stores.interfaceSettings, &InterfaceSettingsStore::timerIdleLayoutChanged, this, settleThenSync);
    connect(&stores.interfaceSettings, &InterfaceSettingsStore::isZenModeEnabledChanged, this, settleThenSync);
    connect(&stores.pomodoroSettings, &PomodoroSettingsStore::modeChanged, this, settleThenSync);
    connect(
        &presentation, &TimerPopoverPresentation::editorSettlementRequested, this, &TimerPopoverView::settleOpenEdits);
    connect(&presentation, &TimerPopoverPresentation::startRequested, this, &TimerPopoverView::startWithoutPulling);
    connect(&presentation, &TimerPopoverPresentation::visibleChanged, this, [this](bool visible) {
        if (!visible)
            settleOpenEdits();
        // The ticker starts and stops with the showing, not a turn later.
        sync();
    });
}

void TimerPopoverView::setSystemColorScheme(ColorScheme scheme)
{
    if (scheme == systemScheme)
        return;
    systemScheme = scheme;
    scheduleSync();
}

QSize TimerPopoverView::sizeHint() const
{
    return { contentWidth, column->sizeHint().height() };
}

bool TimerPopoverView::isZenLayout() const
{
    return stores.interfaceSettings.isZenModeEnabled() && !stores.onboarding.isPresented();
}

CatPopoverPalette TimerPopoverView::popoverPalette() const
{
    return stores.theme.selected().popoverPalette(resolvedColorScheme(stores.appearance.selected(), systemScheme));
}

int TimerPopoverView::cardCornerRadius() const
{
    return card->radius;
}

void TimerPopoverView::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &TimerPopoverView::sync, Qt::QueuedConnection);
}

void TimerPopoverView::sync()
{
    syncPending = false;
    const CatPopoverPalette colors = popoverPalette();
    if (shownPalette != colors)
        applyPalette(colors);
    const bool zen = isZenLayout();
    const bool detached = presentation.isDetached();
    const int top = zen ? (detached ? zenDetachedTopPadding : zenAttachedTopPadding) : standardTopPadding;
    column->setContentsMargins(sidePadding, top, sidePadding, bottomPadding);
    // The tour brings its own padding.
    const int padding = stores.onboarding.isPresented() ? 0 : (zen ? zenDisplayPadding : displayPadding);
    card->layout()->setContentsMargins(padding, padding, padding, padding);
    syncTour(colors);
    if (card->radius != (zen ? zenCardRadius : cardRadius)) {
        card->radius = zen ? zenCardRadius : cardRadius;
        card->update();
    }
    header->setVisible(!zen || detached);
    headerView->setVisible(!zen);
    detachedToolbar->setVisible(zen && detached);
    syncHeader(colors);

    const Date date = clock.now();
    const std::optional<PomodoroPlan>& plan = stores.pomodoro.plan();
    const DisplayContent content = displayContentFor(plan, stores.timer.state(), stores.pomodoroSettings.mode());
    const QString id = mewt::displayContentID(content);
    const bool moves = !shownContentID.isEmpty() && id != shownContentID;
    if (moves)
        switcher->captureOutgoing();
    QWidget* page = idle;
    switch (content) {
    case DisplayContent::idleTimer:
    case DisplayContent::idlePomodoro: syncIdle(); break;
    case DisplayContent::timerActive:
    case DisplayContent::pomodoroRunning:
        syncActive(date);
        page = active;
        break;
    case DisplayContent::pomodoroWaiting:
        syncWaiting(date);
        page = waiting;
        break;
    }
    switcher->setCurrentPage(page);
    shownContentID = id;
    if (moves) {
        settleLayouts();
        switcher->startTransition(colors.innerColor);
    }
    updateTicker();
    reportSize();
}

OnboardingView* TimerPopoverView::onboardingView() const
{
    return tour;
}

void TimerPopoverView::syncTour(const CatPopoverPalette& colors)
{
    const bool touring = stores.onboarding.isPresented();
    if (touring && !tour) {
        tour = new OnboardingView(stores.onboarding, stores.theme,
            onboardingNotificationState(
                stores.timer.notificationAuthorization(), stores.timer.notificationDeliveryState()),
            colors, card);
        // The card asks or opens the settings by the tour's own state, which follows the store.
        attachOnboardingNotifications(
            *tour, stores.timer, [this] { return openNotificationSettings && openNotificationSettings(); });
        card->layout()->addWidget(tour);
        fadeIn(*tour, isVisible());
    } else if (!touring && tour) {
        tour->hide();
        tour->deleteLater();
        tour = nullptr;
        fadeIn(*switcher, isVisible());
    }
    if (tour)
        tour->setPopoverPalette(colors);
    switcher->setVisible(!touring);
}

void TimerPopoverView::applyPalette(const CatPopoverPalette& colors)
{
    shownPalette = colors;
    // Whole, so fields, selections and the menus follow the popover's scheme and not the desktop's
    // when the two differ.
    setPalette(popoverWidgetPalette(colors));
    moreMenu->setPopoverPalette(colors);
    compactMenu->setPopoverPalette(colors);
    card->fill = colors.innerColor;
    card->update();
    active->setPopoverPalette(colors);
    waiting->setPopoverPalette(colors);
    idle->setPopoverPalette(colors);
    for (PomodoroDurationControls* strip : durationStrips)
        strip->setPopoverPalette(colors);
}

void TimerPopoverView::setUpdateOffer(std::optional<QString> version, bool checking)
{
    if (version == updateVersion && checking == checkingForUpdates)
        return;
    updateVersion = std::move(version);
    checkingForUpdates = checking;
    scheduleSync();
}

void TimerPopoverView::syncHeader(const CatPopoverPalette& colors)
{
    const TimerStore& timer = stores.timer;
    PopoverHeader::Content c;
    c.palette = colors;
    c.showsBanner = showsNotificationBanner(
        stores.onboarding.isPresented(), timer.notificationAuthorization(), timer.notificationDeliveryState());
    c.banner.allowed = timer.notificationAuthorization() == NotificationAuthorizationState::allowed;
    c.banner.settingsUnavailable = settingsUnavailable;
    c.banner.foreground = colors.foregroundColor;
    c.banner.fill = colors.innerColor;
    c.updateVersion = updateVersion;
    c.checkingForUpdates = checkingForUpdates;
    c.detached = presentation.isDetached();
    c.tourPresented = stores.onboarding.isPresented();
    headerView->setContent(c);

    CompactToolbar::Content compact { showsStopButton(timer.state(), stores.pomodoro.plan()),
        showsSkipButton(stores.pomodoro.plan()), colors.foregroundColor, colors.accentColor, false, c.tourPresented };
    for (CompactToolbar* toolbar : toolbars)
        toolbar->setContent(compact);
    compact.detached = true;
    detachedToolbar->setContent(compact);
}

void TimerPopoverView::publishToolbarFrame()
{
    presentation.setStandardToolbarFrame(
        headerView->isVisibleTo(this) ? std::optional<QRectF>(QRectF(header->geometry())) : std::nullopt);
}

void TimerPopoverView::syncActive(Date date)
{
    const TimerState& state = stores.timer.state();
    const InterfaceSettingsStore& settings = stores.interfaceSettings;
    const std::optional<PomodoroPlan>& plan = stores.pomodoro.plan();
    const bool paused = state.isPaused();
    const QString hint = paused ? QStringLiteral("click time to resume") : QStringLiteral("click time to pause");

    ActiveDisplayPage::Content c;
    c.zenLayout = isZenLayout();
    c.attached = !presentation.isDetached();
    c.time.form = c.zenLayout ? PhaseTimeBlock::Form::compact
                              : (settings.isZenModeEnabled() ? PhaseTimeBlock::Form::zen : PhaseTimeBlock::Form::full);
    c.time.activeName = stores.timer.activeName();
    c.time.time = remainingText(state, date);
    c.time.status = statusLine(state, mewt::locale(settings.language()));
    c.timeAccessibleValue = c.time.status;
    c.timeAccessibleHint = hint;
    c.showsYarn = !settings.isZenModeEnabled();
    if (plan) {
        c.time.title = pomodoroPhaseTitle(*plan);
        c.timeAccessibleName
            = (paused ? QStringLiteral("resume ") : QStringLiteral("pause ")) + phaseDisplayName(plan->phase);
        c.nextPhaseLabel = nextPhaseLabel(*plan);
        c.progress = pomodoroYarnProgress(*plan, stores.pomodoro.yarnSchedule(), state, date);
        c.revealID = yarnRevealID(*plan);
    } else {
        c.timeAccessibleName = paused ? QStringLiteral("resume timer") : QStringLiteral("pause timer");
        c.progress = timerYarnProgress(state, stores.timer.totalDurationSeconds(), date);
    }
    if (settings.showsTimerInstructions())
        c.instructions = { { QStringLiteral("hand-draw"), extendHint(plan.has_value()) },
            { QStringLiteral("cursor-click"), hint } };
    active->setContent(c);
}

void TimerPopoverView::syncWaiting(Date date)
{
    const PomodoroPlan& plan = *stores.pomodoro.plan();
    const InterfaceSettingsStore& settings = stores.interfaceSettings;
    const QString next = QStringLiteral("next: ") + phaseDisplayName(plan.phase);

    WaitingDisplayPage::Content c;
    c.zenLayout = isZenLayout();
    c.attached = !presentation.isDetached();
    c.time.form = c.zenLayout ? PhaseTimeBlock::Form::compact
                              : (settings.isZenModeEnabled() ? PhaseTimeBlock::Form::zen : PhaseTimeBlock::Form::full);
    c.time.activeName = stores.timer.activeName();
    c.time.title = next;
    c.time.time = waitingTimeText(plan, date);
    c.time.status = pomodoroPhaseTitle(plan);
    c.startLabel = phaseStartLabel(plan.phase);
    c.showsYarn = !settings.isZenModeEnabled();
    c.progress = pomodoroYarnProgress(plan, stores.pomodoro.yarnSchedule(), stores.timer.state(), date);
    if (c.showsYarn && settings.showsTimerInstructions())
        c.instructions
            = { { QStringLiteral("hand-draw"), QStringLiteral("drag paw to start ") + phaseDisplayName(plan.phase) } };
    waiting->setContent(c);
}

void TimerPopoverView::syncIdle()
{
    const InterfaceSettingsStore& settings = stores.interfaceSettings;
    const PomodoroSettingsStore& pomodoro = stores.pomodoroSettings;
    const TimerMode mode = pomodoro.mode();
    const bool continuous = pomodoro.isContinuousModeEnabled();

    IdleDisplayPage::Content c;
    c.zenLayout = isZenLayout();
    c.attached = !presentation.isDetached();
    c.showsModePicker = settings.showsTimerModePicker();
    c.mode = mode;
    c.idleLayout = settings.timerIdleLayout();
    if (settings.showsTimerInstructions())
        c.instructions = idleInstructionLines(mode, continuous);
    c.clockTime = clockTimeText(mode, stores.pullSettings.quickTimeMinutes(), pomodoro.configuration().focusSeconds);
    c.start = { mode, stores.pullSettings.quickTimeMinutes(), pomodoro.configuration().focusSeconds / 60, continuous,
        popoverPalette().accentColor };
    c.startActionName = idleStartActionName(mode, continuous);
    idle->setContent(c);
    const CatPopoverPalette colors = popoverPalette();
    for (SessionNameField* field : nameFields) {
        field->setColors(colors.foregroundColor, colors.secondaryTextColor);
        field->showName(stores.timer.draftName());
    }
    clockName->showName(stores.timer.draftName(), colors.foregroundColor, colors.secondaryTextColor);
    syncClockFields();
}

int TimerPopoverView::keepSessionNameEdit(const QString& edited, int cursor)
{
    const SessionNameEdit kept = keptSessionNameEdit(stores.timer.draftName(), edited, cursor);
    commitSessionName(kept.text);
    return kept.cursor;
}

void TimerPopoverView::commitSessionName(const QString& text)
{
    const QString name = normalizedSessionName(text);
    if (name == stores.timer.draftName())
        return;
    stores.timer.mutateDraftName(name);
    stores.timer.persist();
}

void TimerPopoverView::updateTicker()
{
    const std::optional<PomodoroPlan>& plan = stores.pomodoro.plan();
    const bool counts = stores.timer.state().isRunning() || (plan && !plan->isPhaseRunning);
    if (!presentation.isVisible() || !counts) {
        secondTicker.stop();
        return;
    }
    secondTicker.start(millisecondsToNextSecond(stores.timer.state(), plan, clock.now()));
}

void TimerPopoverView::tick()
{
    sync();
    if (presentation.isVisible() && stores.timer.state().isRunning() && soundPlayer)
        soundPlayer->play(TactileSound::tick, tickVolume);
}

void TimerPopoverView::settleLayouts()
{
    // A child's new size reaches the root one layout request per level, each an event-loop turn
    // apart; settle them all now, so that only the final height is reported or pictured.
    measuring = true;
    for (int level = 0; level < layoutDepth; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    measuring = false;
}

void TimerPopoverView::reportSize()
{
    if (measuring)
        return;
    settleLayouts();
    const int height = sizeHint().height();
    if (height == reportedHeight)
        return;
    reportedHeight = height;
    if (isWindow())
        resize(contentWidth, height);
    Q_EMIT intrinsicSizeChanged({ contentWidth, height });
}

void TimerPopoverView::togglePause()
{
    TimerStore& timer = stores.pomodoro.timerStore();
    if (timer.state().isPaused())
        timer.resume(clock.now());
    else
        timer.pause(clock.now());
}

void TimerPopoverView::stopTimer()
{
    if (stores.pomodoro.plan())
        stores.pomodoro.endPlan();
    else
        stores.timer.cancel(clock.now());
}

void TimerPopoverView::requestDetached(bool detached)
{
    QMetaObject::invokeMethod(
        this,
        [this, detached] {
            // The tour keeps the popover where it is, whatever reached here meanwhile.
            if (!stores.onboarding.isPresented())
                presentation.setDetached(detached, TimerPopoverPresentation::DetachmentCause::interactive);
        },
        Qt::QueuedConnection);
}

void TimerPopoverView::commitDurationEdit()
{
    if (!edits.editingDurationKind)
        return;
    const PomodoroDurationKind kind = *edits.editingDurationKind;
    const PomodoroConfiguration configuration = stores.pomodoroSettings.configuration();
    const qint64 saved = mewt::savedDurationValue(kind, configuration);
    const auto draft = edits.durationDrafts.find(kind);
    const QString text = draft != edits.durationDrafts.end() ? draft->second : QString::number(saved);
    const qint64 value = committedDurationValue(kind, text, saved);
    edits.durationDrafts[kind] = QString::number(value);
    edits.editingDurationKind.reset();
    updateTapWatch();
    syncDurationEditing();
    stores.pomodoroSettings.setConfiguration(configurationWith(configuration, kind, value));
}

void TimerPopoverView::commitClockTimeEdit()
{
    if (!edits.clockTimeEditing)
        return;
    const TimerMode mode = edits.clockTimeEditingMode.value_or(stores.pomodoroSettings.mode());
    edits.clockTimeEditing = false;
    edits.clockTimeHasFocused = false;
    edits.clockTimeUsesLocalFocus = false;
    edits.clockTimeFocused = false;
    edits.clockTimeEditingMode.reset();
    updateTapWatch();
    const std::optional<qint64> minutes = parseClockMinutes(edits.clockTimeDraft);
    if (!minutes)
        return;
    if (mode == TimerMode::pomodoro) {
        stores.pomodoroSettings.setConfiguration(
            configurationWith(stores.pomodoroSettings.configuration(), PomodoroDurationKind::focus,
                committedDurationValue(PomodoroDurationKind::focus, QString::number(*minutes), *minutes)));
    } else {
        stores.pullSettings.setQuickTimeMinutes(*minutes);
    }
}

void TimerPopoverView::endClockNameEditing()
{
    edits.clockNameEditing = false;
    edits.clockNameHasFocused = false;
    edits.clockNameUsesLocalFocus = false;
    edits.clockNameFocused = false;
    updateTapWatch();
}

void TimerPopoverView::settleOpenEdits()
{
    commitDurationEdit();
    commitClockTimeEdit();
    endClockNameEditing();
}

void TimerPopoverView::handleEditingTap(QPointF location)
{
    if (edits.clockTimeEditing && edits.clockTimeFrame && !edits.clockTimeFrame->contains(location))
        commitClockTimeEdit();
    if (edits.clockNameEditing && edits.clockNameFrame && !edits.clockNameFrame->contains(location))
        endClockNameEditing();
    if (edits.editingDurationKind) {
        const auto frame = edits.durationControlFrames.find(*edits.editingDurationKind);
        if (frame != edits.durationControlFrames.end() && !frame->second.contains(location))
            commitDurationEdit();
    }
}

void TimerPopoverView::openDurationEdit(PomodoroDurationKind kind)
{
    settleOpenEdits();
    edits.editingDurationKind = kind;
    updateTapWatch();
}

void TimerPopoverView::openClockTimeEdit(TimerMode mode)
{
    settleOpenEdits();
    edits.clockTimeEditing = true;
    edits.clockTimeEditingMode = mode;
    updateTapWatch();
}

void TimerPopoverView::openClockNameEdit()
{
    settleOpenEdits();
    edits.clockNameEditing = true;
    updateTapWatch();
}

void TimerPopoverView::startWithoutPulling()
{
    settleOpenEdits();
    const Date now = clock.now();
    if (stores.pomodoroSettings.mode() == TimerMode::timer)
        stores.timer.addTime(qint64(stores.pullSettings.quickTimeMinutes()) * 60, now);
    else
        stores.pomodoro.commitSessions(1, now);
}

void TimerPopoverView::performNotificationAction()
{
    if (stores.timer.notificationAuthorization() == NotificationAuthorizationState::unknown) {
        QMetaObject::invokeMethod(
            this,
            [service = QPointer<NotificationScheduling>(stores.timer.notifications())] {
                if (service)
                    service->requestPermission();
            },
            Qt::QueuedConnection);
        return;
    }
    const bool unavailable = !(openNotificationSettings && openNotificationSettings());
    if (unavailable != settingsUnavailable) {
        settingsUnavailable = unavailable;
        Q_EMIT notificationSettingsUnavailableChanged(unavailable);
    }
}

void TimerPopoverView::updateTapWatch()
{
    // Every change of the open fields passes here.
    syncClockFields();
    const bool wanted = edits.hasOpenField();
    if (wanted == watchingTaps)
        return;
    watchingTaps = wanted;
    if (wanted)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TimerPopoverView::eventFilter(QObject* watched, QEvent* event)
{
    // Each click reaches an application filter once for the window and again for every widget it
    // passes; only the window's copy is judged.
    if (event->type() == QEvent::MouseButtonRelease && watched->isWindowType()
        && static_cast<QObject*>(window()->windowHandle()) == watched) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        handleEditingTap(mapFrom(window(), mouse->position()));
    }
    return QWidget::eventFilter(watched, event);
}

bool TimerPopoverView::event(QEvent* event)
{
    // Before Qt gives the window's first focus to whatever comes first in its chain.
    if (event->type() == QEvent::WindowActivate)
        reclaimKeyboard();
    const bool handled = QWidget::event(event);
    // A child's size change reaches the root as a layout request; only then is the height current.
    if (event->type() == QEvent::LayoutRequest)
        reportSize();
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize) {
        publishToolbarFrame();
        publishDurationFrames();
    }
    return handled;
}

void TimerPopoverView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    // A line edit that passes Return on has already acted on it.
    const bool inTextField = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && switcher->currentPage() == active
        && !inTextField) {
        active->timeButton().click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain && !inTextField
        && switcher->currentPage() == idle && idle->showsStartControls()) {
        startWithoutPulling();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The controls are made in no particular order and the layouts change with the state: Tab follows
// what the popover shows at the moment it is pressed.
bool TimerPopoverView::focusNextPrevChild(bool next)
{
    // Qt also comes here when the control holding the keyboard hides: the root takes it then, not
    // whatever follows in the window. A Tab comes from a shown control, or from none.
    if (window()->focusWidget() && reclaimKeyboard())
        return true;
    return focusInReadingOrder(*this, next);
}

bool TimerPopoverView::reclaimKeyboard()
{
    QWidget* top = window();
    const QWidget* holder = top->focusWidget();
    if (holder && holder->isVisibleTo(top))
        return false;
    setFocus(Qt::OtherFocusReason);
    return true;
}

void TimerPopoverView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        scheduleSync();
    QWidget::changeEvent(event);
}

void TimerPopoverView::setUpClockFace()
{
    clockName = new ClockNameField(&idle->clockNameSlot());
    idle->clockNameSlot().layout()->addWidget(clockName);
    ClockTimeField& time = idle->clockTimeField();
    connect(clockName, &ClockNameField::pressed, this, &TimerPopoverView::beginClockNameEditing);
    connect(clockName, &ClockNameField::textEdited, this, [this](const QString& text) {
        InlineTextField& field = clockName->editor();
        field.showText(stores.timer.draftName(), keepSessionNameEdit(text, field.cursorPosition()));
    });
    connect(clockName, &ClockNameField::returnPressed, this, &TimerPopoverView::startWithoutPulling);
    connect(clockName, &ClockNameField::focusChanged, this, &TimerPopoverView::clockNameFocusChanged);
    connect(&time, &ClockTimeField::pressed, this, &TimerPopoverView::beginClockTimeEditing);
    connect(&time, &ClockTimeField::textEdited, this, [this](const QString& text) { edits.clockTimeDraft = text; });
    connect(&time, &ClockTimeField::returnPressed, this, &TimerPopoverView::commitClockTimeEdit);
    connect(&time, &ClockTimeField::focusChanged, this, &TimerPopoverView::clockTimeFocusChanged);
    // The name reports only while it is a text field; the time in both of its states.
    clockNameFrameReader = std::make_unique<EditingFrameReader>(
        clockName->editor(), *this, [this](std::optional<QRectF> frame) { edits.clockNameFrame = frame; });
    clockTimeFrameReader = std::make_unique<EditingFrameReader>(
        time, *this, [this](std::optional<QRectF> frame) { edits.clockTimeFrame = frame; });
}

void TimerPopoverView::syncClockFields()
{
    clockName->setEditing(edits.clockNameEditing);
    idle->clockTimeField().setEditing(edits.clockTimeEditing, edits.clockTimeDraft);
}

bool TimerPopoverView::requestTextInputFocus()
{
    if (!presentation.onTextInputFocusRequest)
        return false;
    presentation.onTextInputFocusRequest();
    return true;
}

qint64 TimerPopoverView::savedDurationValue(PomodoroDurationKind kind) const
{
    return mewt::savedDurationValue(kind, stores.pomodoroSettings.configuration());
}

void TimerPopoverView::beginClockNameEditing()
{
    commitDurationEdit();
    commitClockTimeEdit();
    edits.clockNameHasFocused = false;
    // The panel looks for the new field among those it did not know, so it asks before the field shows.
    edits.clockNameUsesLocalFocus = !requestTextInputFocus();
    edits.clockNameEditing = true;
    const int edit = ++clockNameEdit;
    updateTapWatch();
    if (!edits.clockNameUsesLocalFocus)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, edit] {
            if (edit == clockNameEdit && edits.clockNameEditing)
                clockName->editor().setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void TimerPopoverView::beginClockTimeEditing()
{
    endClockNameEditing();
    commitDurationEdit();
    const TimerMode mode = stores.pomodoroSettings.mode();
    edits.clockTimeEditingMode = mode;
    edits.clockTimeDraft = clockTimeText(
        mode, stores.pullSettings.quickTimeMinutes(), stores.pomodoroSettings.configuration().focusSeconds);
    edits.clockTimeHasFocused = false;
    edits.clockTimeUsesLocalFocus = !requestTextInputFocus();
    edits.clockTimeEditing = true;
    const int edit = ++clockTimeEdit;
    updateTapWatch();
    if (!edits.clockTimeUsesLocalFocus)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, edit] {
            if (edit == clockTimeEdit && edits.clockTimeEditing)
                idle->clockTimeField().editor().setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

// A field this view focused itself closes when the focus leaves it, once the update that moved the
// focus is over; a field the panel focused stays open until Return, a tap outside it or a hiding.
void TimerPopoverView::clockNameFocusChanged(bool focused)
{
    edits.clockNameFocused = focused;
    if (focused) {
        edits.clockNameHasFocused = true;
        return;
    }
    if (!edits.clockNameHasFocused || !edits.clockNameUsesLocalFocus)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, edit = clockNameEdit] {
            if (edit == clockNameEdit && edits.clockNameEditing && !edits.clockNameFocused)
                endClockNameEditing();
        },
        Qt::QueuedConnection);
}

// Leaving the time field commits what was typed, where leaving the name field only closes it.
void TimerPopoverView::clockTimeFocusChanged(bool focused)
{
    edits.clockTimeFocused = focused;
    if (focused) {
        edits.clockTimeHasFocused = true;
        return;
    }
    if (!edits.clockTimeHasFocused || !edits.clockTimeUsesLocalFocus)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, edit = clockTimeEdit] {
            if (edit == clockTimeEdit && edits.clockTimeEditing && !edits.clockTimeFocused)
                commitClockTimeEdit();
        },
        Qt::QueuedConnection);
}

void TimerPopoverView::buildDurationControls()
{
    durationStrips = { new PomodoroDurationControls(
                           stores.pomodoroSettings, edits, false, &idle->durationControlsSlot()),
        new PomodoroDurationControls(stores.pomodoroSettings, edits, true, &idle->compactDurationControlsSlot()) };
    for (PomodoroDurationControls* strip : durationStrips) {
        strip->parentWidget()->layout()->addWidget(strip);
        strip->onBegan = [this](PomodoroDurationKind kind, QPointF point) {
            if (onDurationPullBegan)
                onDurationPullBegan(kind, point);
        };
        strip->onChanged = [this](QPointF point) {
            if (onDurationPullChanged)
                onDurationPullChanged(point);
        };
        strip->onEnded = [this](QPointF point) {
            if (onDurationPullEnded)
                onDurationPullEnded(point);
        };
        strip->onOpenEdit = [this](PomodoroDurationKind kind) { openDurationEdit(kind); };
        strip->onCommitEdit = [this] { commitDurationEdit(); };
        strip->onTextInputFocusRequest = [this] {
            if (!presentation.onTextInputFocusRequest)
                return false;
            presentation.onTextInputFocusRequest();
            return true;
        };
    }
}

void TimerPopoverView::syncDurationEditing()
{
    for (PomodoroDurationControls* strip : durationStrips)
        strip->syncEditing();
}

void TimerPopoverView::publishDurationFrames()
{
    // Only the strip on screen has frames; the other layout's strip is hidden.
    std::map<PomodoroDurationKind, QRectF> frames;
    for (PomodoroDurationControls* strip : durationStrips)
        if (strip->isVisibleTo(this))
            strip->reportFrames(frames, *this);
    edits.durationControlFrames = std::move(frames);
}

} // namespace mewt
