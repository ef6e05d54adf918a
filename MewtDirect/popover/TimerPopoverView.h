#pragma once

#include "model/CatTheme.h"
#include "model/ColorScheme.h"
#include "platform/Clock.h"
#include "popover/TimerPopoverEditingState.h"
#include "popover/TimerPopoverStores.h"
#include "pull/PomodoroDurationKind.h"

#include <QPointF>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QVBoxLayout;

namespace mewt {

class ActiveDisplayPage;
class ClockNameField;
class EditingFrameReader;
class Clock;
class CompactToolbar;
class ContentSwitcher;
class IdleDisplayPage;
class MoreActionsMenu;
class PopoverHeader;
class PomodoroDurationControls;
class SessionNameField;
class OnboardingView;
class PopoverCard;
class TactileSoundPlayer;
class TimerPopoverPresentation;
class WaitingDisplayPage;

// The one view the popover hosts, attached under the paw or detached on the desktop. Always
// contentWidth wide; its height follows what it shows. It holds the inline edits of every field and
// redraws once a second only while it is visible and a timer runs or a plan waits.
class TimerPopoverView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverView)

public:
    static constexpr int contentWidth = 300;

    TimerPopoverView(const TimerPopoverStores& stores, TimerPopoverPresentation& presentation,
        TactileSoundPlayer* soundPlayer, const Clock& clock, QWidget* parent = nullptr);
    ~TimerPopoverView() override;

    // The desktop's scheme, for the "system" popover appearance.
    void setSystemColorScheme(ColorScheme scheme);

    QSize sizeHint() const override;

    // Zen mode is on and the welcome tour does not show.
    bool isZenLayout() const;
    CatPopoverPalette popoverPalette() const;
    // "idle-timer", "timer-active", ... of what shows now.
    const QString& displayContentID() const { return shownContentID; }

    // Inline edits. Settling commits the open duration, then the open clock time, then closes the
    // name field.
    const TimerPopoverEditingState& editing() const { return edits; }
    TimerPopoverEditingState& editing() { return edits; }
    void commitDurationEdit();
    void commitClockTimeEdit();
    void endClockNameEditing();
    void settleOpenEdits();
    // A tap at `location` (this view's coordinates) closes an open field it falls outside of.
    void handleEditingTap(QPointF location);
    // Opening a field settles the others first.
    void openDurationEdit(PomodoroDurationKind kind);
    void openClockTimeEdit(TimerMode mode);
    void openClockNameEdit();
    // Keeps a typed name as the next session's draft and stores it; nothing when it is unchanged.
    void commitSessionName(const QString& text);
    // Commits what the store keeps of a typed name and says where the field's cursor goes: the
    // field then shows what is kept, also when the stored name stays the same.
    int keepSessionNameEdit(const QString& edited, int cursor);
    // The clock face's fields. Opening one settles every other open edit first; focus goes to the
    // field through the panel when it can, else the field takes it after one event-loop turn.
    void beginClockNameEditing();
    void beginClockTimeEditing();
    ClockNameField& clockNameField() const { return *clockName; }
    // Asks the panel to give the keyboard to the text field that has just appeared; false when
    // nothing hosts the view that could.
    bool requestTextInputFocus();
    // What a typed pomodoro duration of `kind` starts from, by the stored configuration.
    qint64 savedDurationValue(PomodoroDurationKind kind) const;
    // The plain name fields of the normal and the zen idle layout.
    const std::array<SessionNameField*, 2>& sessionNameFields() const { return nameFields; }
    // The pomodoro durations of the normal and the zen idle layout.
    const std::array<PomodoroDurationControls*, 2>& durationControls() const { return durationStrips; }

    // Settles the open edits, then starts the quick timer or one focus session.
    void startWithoutPulling();
    // Asks for notification permission once, later opens the desktop's notification settings.
    void performNotificationAction();
    // The desktop had no notification settings to open; the banner then says where to look.
    bool notificationSettingsUnavailable() const { return settingsUnavailable; }
    // Opens the desktop's notification settings; false when none could be opened. Replaceable in tests.
    std::function<bool()> openNotificationSettings;

    // Stores -> views, once per event-loop turn; public so tests need no loop.
    void sync();
    bool isTicking() const { return secondTicker.isActive(); }
    // The once-a-second handler: redraws for the new second and ticks audibly while running.
    void tick();

    // The newer version the updater found (none hides the "update" link) and whether it checks now.
    void setUpdateOffer(std::optional<QString> version, bool checking);

    // Where the header, the compact toolbar and the welcome tour are placed.
    QWidget& headerSlot() const { return *header; }
    PopoverHeader& standardHeader() const { return *headerView; }
    MoreActionsMenu& moreActionsMenu() const { return *moreMenu; }
    // The zen layout's menu leaves out the welcome tour.
    MoreActionsMenu& compactMoreActionsMenu() const { return *compactMenu; }
    // One per page that carries it: idle, active, waiting.
    const std::array<CompactToolbar*, 3>& compactToolbars() const { return toolbars; }
    // The zen layout's toolbar above the content in the detached window.
    CompactToolbar& detachedCompactToolbar() const { return *detachedToolbar; }
    ActiveDisplayPage& activePage() const { return *active; }
    WaitingDisplayPage& waitingPage() const { return *waiting; }
    IdleDisplayPage& idlePage() const { return *idle; }
    ContentSwitcher& contentSwitcher() const { return *switcher; }
    // The welcome tour while the tour store presents it, in place of the timer content; else null.
    OnboardingView* onboardingView() const;
    int cardCornerRadius() const;

    std::function<void()> onShowOptions;
    // The menu's rows that leave the popover; the owner fills them.
    std::function<void()> onShowWelcomeTour;
    std::function<void()> onSendFeedback;
    std::function<void()> onQuit;
    std::function<void()> onCheckForUpdates;
    std::function<void(PomodoroDurationKind, QPointF)> onDurationPullBegan;
    std::function<void(QPointF)> onDurationPullChanged;
    std::function<void(QPointF)> onDurationPullEnded;

Q_SIGNALS:
    // The height the content wants changed.
    void intrinsicSizeChanged(QSize size);
    void notificationSettingsUnavailableChanged(bool unavailable);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void connectStores();
    void scheduleSync();
    void applyPalette(const CatPopoverPalette& colors);
    void syncActive(Date date);
    void syncWaiting(Date date);
    void syncIdle();
    void syncHeader(const CatPopoverPalette& colors);
    void publishToolbarFrame();
    void syncTour(const CatPopoverPalette& colors);
    void updateTicker();
    void settleLayouts();
    void reportSize();
    void updateTapWatch();
    void togglePause();
    // Whatever held the window's keyboard is gone or hidden: the root takes it, so Space and Return
    // reach its keys and Tab starts from the top. False when a shown control still holds it.
    bool reclaimKeyboard();
    void setUpClockFace();
    void syncClockFields();
    void clockNameFocusChanged(bool focused);
    void clockTimeFocusChanged(bool focused);
    void stopTimer();
    // Pinning rebuilds the window the press came from, so it waits until the press is over.
    void requestDetached(bool detached);
    void buildDurationControls();
    void syncDurationEditing();
    void publishDurationFrames();

    TimerPopoverStores stores;
    TimerPopoverPresentation& presentation;
    TactileSoundPlayer* soundPlayer;
    const Clock& clock;
    ColorScheme systemScheme = ColorScheme::light;

    QVBoxLayout* column = nullptr;
    QWidget* header = nullptr;
    PopoverCard* card = nullptr;
    ContentSwitcher* switcher = nullptr;
    ActiveDisplayPage* active = nullptr;
    WaitingDisplayPage* waiting = nullptr;
    IdleDisplayPage* idle = nullptr;
    MoreActionsMenu* moreMenu = nullptr;
    PopoverHeader* headerView = nullptr;
    MoreActionsMenu* compactMenu = nullptr;
    std::array<CompactToolbar*, 3> toolbars {};
    CompactToolbar* detachedToolbar = nullptr;
    std::array<SessionNameField*, 2> nameFields {};
    ClockNameField* clockName = nullptr;
    // Count the clock face's edits, so a late focus check leaves a newer edit alone.
    int clockNameEdit = 0;
    int clockTimeEdit = 0;
    std::array<PomodoroDurationControls*, 2> durationStrips {};
    std::optional<QString> updateVersion;
    bool checkingForUpdates = false;
    QPointer<OnboardingView> tour;

    TimerPopoverEditingState edits;
    // After the state they write to, so they go first.
    std::unique_ptr<EditingFrameReader> clockNameFrameReader;
    std::unique_ptr<EditingFrameReader> clockTimeFrameReader;
    bool watchingTaps = false;
    bool settingsUnavailable = false;
    bool syncPending = false;
    bool measuring = false;
    QString shownContentID;
    std::optional<CatPopoverPalette> shownPalette;
    int reportedHeight = 0;
    QTimer secondTicker;
};

} // namespace mewt
