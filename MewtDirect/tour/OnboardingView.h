#pragma once

#include "model/CatTheme.h"
#include "model/OnboardingStore.h"
#include "tour/OnboardingNotificationState.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QShortcut;

namespace mewt {

class LessonStage;
class NotificationPreview;
class ThemeStore;

// The four-step welcome tour, shown by the popover in place of its content while the tour store is
// presented. It keeps no state of its own: the step lives in the store and each button calls one
// of its operations. Arriving on the last step while permission was never asked asks for it.
class OnboardingView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OnboardingView)

public:
    // The verbatim title and lesson of each step.
    static QString title(OnboardingStore::Step step);
    static QString lesson(OnboardingStore::Step step);

    OnboardingView(OnboardingStore& store, ThemeStore& themeStore, OnboardingNotificationState notificationState,
        const CatPopoverPalette& palette, QWidget* parent = nullptr);
    ~OnboardingView() override;

    // The host updates these in place; neither runs the arrival on the last step again.
    void setNotificationState(OnboardingNotificationState state);
    OnboardingNotificationState notificationState() const { return currentNotificationState; }
    void setPopoverPalette(const CatPopoverPalette& palette);
    // What the notification service last said went wrong, shown under the card; none clears it.
    void setNotificationError(const std::optional<QString>& message);

    // Asks for notification permission or opens the desktop's notification settings; returns false
    // when it could not (no settings tool on this desktop).
    std::function<bool()> onNotificationAction;

    // Stores -> header, lesson and buttons, once per event-loop turn; public so tests need no loop.
    void sync();
    // The lesson on show (null before the first sync) and whether the step change still moves.
    QWidget* currentLesson() const;
    bool isTransitioning() const;
    void finishTransition();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleSync();
    void retranslate();
    void restyle();
    void stepArrived();
    QWidget* makeLesson(OnboardingStore::Step step);
    void updateShortcuts();
    // The keyboard is on the tour or one of its shown controls.
    bool holdsFocus() const;

    OnboardingStore& store;
    ThemeStore& themeStore;
    OnboardingNotificationState currentNotificationState;
    std::optional<QString> notificationError;
    CatPopoverPalette colors;

    QLabel* titleLabel = nullptr;
    QLabel* caption = nullptr;
    LessonStage* stage = nullptr;
    QWidget* divider = nullptr;
    QPushButton* skipButton = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* doneButton = nullptr;
    QShortcut* returnKey = nullptr;
    QShortcut* enterKey = nullptr;
    QShortcut* leftKey = nullptr;
    QPointer<NotificationPreview> card;

    bool syncPending = false;
    bool hasShownStep = false;
    OnboardingStore::Step shownStep = OnboardingStore::Step::meet;
    quint64 arrival = 0;
};

} // namespace mewt
