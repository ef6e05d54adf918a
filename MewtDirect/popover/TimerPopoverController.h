#pragma once

#include "model/ColorScheme.h"
#include "platform/Clock.h"
#include "popover/FrameStepper.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverStores.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QSet>
#include <QSize>
#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QScreen;
class QTimer;
class QVariantAnimation;

namespace mewt {

class GlobalPointerMonitor;
class PomodoroDurationPullController;
class PopoverContentHostingView;
class TactileSoundPlayer;
class TimerPopoverBackgroundView;
class TimerPopoverPanel;
class TimerPopoverPlacementStore;
class TimerPopoverView;
class X11FrameExtents;

// Owns the popover for the life of the process: the panel under the paw, the root view it hosts
// and the presentation they share. It slides the panel in under the paw and out again, sizes it to
// what the view wants while keeping its top edge, dismisses it on a click elsewhere or Escape
// unless the user is still working with it, and hands the keyboard to the view only on demand.
// Pinned, the same panel stands on the desktop as a window of its own that comes back at its place
// after a restart.
class TimerPopoverController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverController)

public:
    // A menu that closed this recently still counts as open: the click that closed it must not
    // also dismiss the popover.
    static constexpr std::chrono::milliseconds menuCloseGrace { 150 };
    static constexpr int textFocusAttempts = 12;
    static constexpr double durationTickVolume = 0.28;

    struct Services {
        TactileSoundPlayer& soundPlayer;
        const Clock& clock;
        // Presses anywhere on the desktop; null sees only the app's own windows.
        GlobalPointerMonitor* pointerMonitor = nullptr;
        // Asked at the start of every animation; empty asks the desktop's setting.
        std::function<bool()> reducesMotion;
        // Null steps frames on a real timer.
        std::unique_ptr<FrameStepper> frameStepper;
        // The detached flag and placement; null keeps neither, and nothing is restored.
        TimerPopoverPlacementStore* placementStore = nullptr;
        // The screens' available areas, primary first; empty asks the screens.
        std::function<QList<QRectF>()> visibleFrames;
        // The screens' whole areas; empty asks the screens.
        std::function<QList<QRectF>()> screenFrames;
        // The paw's strip, which the pinned window never covers with its shadow or the manager's
        // frame: our input shape lets presses through the shadow, but a frame takes them.
        std::function<QRect()> keepClearOf;
    };

    TimerPopoverController(
        const TimerPopoverStores& stores, QSize initialContentSize, Services services, QObject* parent = nullptr);
    ~TimerPopoverController() override;

    // Shows the popover under the paw (global coordinates) on the first screen it touches, or
    // places it there again and replays the entry; nothing when no screen has the paw.
    void updatePawFrame(const QRectF& pawFrame);
    // The same for the paw's view; nothing when it has no window.
    void updatePawView(const QWidget* pawView);
    // Places and slides in under the paw within the screen's visible frame.
    void show(const QRectF& visibleFrame, const QRectF& pawFrame);
    // Slides the attached popover out; nothing while the welcome tour holds it open.
    void hide();
    // Whether the handle's own timeout must leave the popover up: a menu of ours is open or was used
    // since the popover showed, a duration pull runs, or the pointer is on the panel, the paw or
    // between them. A click elsewhere waits only for a menu open or just closed.
    bool isInUse() const;
    // Shutdown; afterwards nothing shows and nothing is called back. A detached window's place is
    // kept for the next launch.
    void close();

    // Pins the popover as a window of its own, or puts it back under the paw; the presentation's
    // `setDetached` calls it. A restoration at launch waits hidden for the view's first size.
    void applyDetached(bool detached, TimerPopoverPresentation::DetachmentCause cause);
    // The screens changed: the detached window stays on a visible one.
    void screenParametersDidChange();
    bool isDetachedRestorationPending() const { return pendingDetachedRestoration; }

    // The desktop's scheme, for the "system" popover appearance.
    void setSystemColorScheme(ColorScheme scheme);

    TimerPopoverPresentation& presentation() const { return *sharedPresentation; }
    TimerPopoverPanel& panel() const { return *popoverPanel; }
    PopoverContentHostingView& hostingView() const { return *host; }
    TimerPopoverView& rootView() const { return *root; }
    PomodoroDurationPullController& durationPullController() const { return *durationPull; }

    // Applies a size the view asked for: the top edge stays, the bottom edge moves.
    void updateContentSize(QSize size);
    // A click on the content makes the panel key on a text field, and elsewhere only in the idle
    // clock layout, off the toolbar.
    bool shouldBecomeKeyForClick(QPointF pointInContent) const;
    // Gives the keyboard to the text field the views just showed, retrying until it edits.
    void focusTextInput();
    // The editable, shown line edits under `view`, each before its descendants.
    static QList<QLineEdit*> editableTextFields(QWidget* view);

    int animationGeneration() const { return generation; }
    std::optional<int> entryAnimationGeneration() const { return entryGeneration; }
    std::optional<QRectF> pawFrame() const { return lastPawFrame; }
    int menuTrackingDepth() const { return menuDepth; }
    bool areDismissalMonitorsInstalled() const { return monitorsInstalled; }
    bool isResizeAnimating() const;
    int textFocusAttemptsMade() const { return focusAttemptsMade; }
    bool isClosed() const { return closed; }

    // The whole paw control as it stands now (the paw and the time beside it), in global
    // coordinates: the pointer anywhere on it keeps the popover in use, also once the time's width
    // changed. Unset: the rectangle the popover was shown under.
    std::function<QRectF()> pawControlFrame;
    std::function<void()> onShowOptions;
    // When set, dismissal goes through the owner; otherwise the popover hides itself.
    std::function<void()> onDismissRequest;
    std::function<void(bool)> onDetachedChange;
    std::function<void(bool)> onDurationInteractionChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool motionAllowed() const;
    bool isInUseAt(QPointF pointer) const;
    QPointF pointerPosition() const;
    void applyOutsideClickRule(QPointF pointer);
    void requestDismissal();
    void installDismissalMonitors();
    void removeDismissalMonitors();
    void popupShown(QObject* popup);
    void popupHidden(QObject* popup);
    void runEntryAnimation(int animation, QPoint start, QPoint end);
    void runExitAnimation(int animation, QPoint start, QPoint end);
    void attemptTextInputFocus(const QList<QPointer<QLineEdit>>& knownFields, int remainingAttempts);
    void stopResizeAnimation();
    // Ends a slide, a resize and the dismissal watch that are under way; their callbacks find a
    // newer generation and do nothing.
    void stopUnderWay();
    QList<QRectF> visibleFrames() const;
    QList<QRectF> screenFrames() const;
    // Moves the detached window itself, off the paw's strip, so the move is not taken for the
    // user's, and keeps the place.
    void placeDetached(QRect wanted);
    // The same, kept on a visible screen.
    void placeDetachedOnScreen(QRect wanted);
    // The same where it lies wholly on a screen; otherwise kept on a visible one.
    void placeDetachedInPlace(QRect wanted);
    // `content` moved down by the least that takes the pinned window, shadow and frame included,
    // off the paw's strip, as managers keep windows out of a panel's strip.
    QRect clearOfPaw(QRect content) const;
    // Moves the pinned window off the paw's strip once the user has let go of it there.
    void keepPinnedClear();
    void panelDidMove();
    void panelWindowLost();
    void scheduleScreenCheck();
    void watchScreens();

    TimerPopoverStores stores;
    TactileSoundPlayer& soundPlayer;
    const Clock& clock;
    QPointer<GlobalPointerMonitor> pointerMonitor;
    std::function<bool()> reducesMotion;
    std::unique_ptr<FrameStepper> stepper;
    TimerPopoverPlacementStore* placement = nullptr;
    std::function<QList<QRectF>()> visibleFramesProvider;
    std::function<QList<QRectF>()> screenFramesProvider;
    std::function<QRect()> keepClearProvider;

    std::unique_ptr<TimerPopoverPresentation> sharedPresentation;
    std::unique_ptr<PomodoroDurationPullController> durationPull;
    std::unique_ptr<TimerPopoverPanel> popoverPanel;
    PopoverContentHostingView* host = nullptr;
    TimerPopoverView* root = nullptr;
    TimerPopoverBackgroundView* background = nullptr;
    QVariantAnimation* resizeAnimation = nullptr;
    X11FrameExtents* pinnedFrame = nullptr;
    // Runs while a drag leaves the pinned window on the paw's strip, until the button is up.
    QTimer* dragSettle = nullptr;

    int generation = 0;
    std::optional<int> entryGeneration;
    std::optional<QRectF> lastPawFrame;
    std::optional<int> panelTopY;
    std::optional<QSize> requestedContentSize;
    bool monitorsInstalled = false;
    int menuDepth = 0;
    QSet<QObject*> openPopups;
    std::optional<Uptime> lastMenuClose;
    // A row chosen below the panel leaves the pointer outside it; the popover stays all the same.
    bool menuUsed = false;
    int focusAttemptsMade = 0;
    bool suppressesPlacementPersistence = false;
    bool pendingDetachedRestoration = false;
    bool screenCheckPending = false;
    bool closed = false;
};

} // namespace mewt
