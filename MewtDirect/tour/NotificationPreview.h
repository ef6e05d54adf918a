#pragma once

#include "model/CatTheme.h"
#include "tour/OnboardingNotificationState.h"

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace mewt {

// The tour's notification card: a capsule with a bell, what the state means and, when something
// can help, one button ("enable" asks, "settings" opens the desktop's notification settings).
// Below it, one short line when this desktop has no settings tool to open, or when the
// notification service could not be asked.
class NotificationPreview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotificationPreview)

public:
    static constexpr int cardHeight = 34;

    NotificationPreview(OnboardingNotificationState state, const CatPopoverPalette& palette, QWidget* parent = nullptr);

    OnboardingNotificationState state() const { return currentState; }
    void setState(OnboardingNotificationState state);
    void setPopoverPalette(const CatPopoverPalette& palette);
    // The host could not open the desktop's notification settings.
    void showSettingsUnavailable();
    bool showsSettingsUnavailable() const { return settingsUnavailable; }
    // The service's last message (a failed request), or none.
    void setServiceError(const std::optional<QString>& message);
    // The line under the card; empty when none shows.
    QString noteText() const;

    QPushButton* actionButton() const { return button; }
    QString glyphName() const;
    // Where the card paints its bell, and the text that follows it.
    QRectF bellRect() const;
    QLabel* textLabel() const { return text; }

    // Returns false when the action could not be carried out (no settings tool on this desktop).
    std::function<bool()> onAction;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void sync();
    void syncNote();
    void restyle();
    QRectF cardRect() const;

    OnboardingNotificationState currentState;
    CatPopoverPalette colors;
    QWidget* card = nullptr;
    QLabel* text = nullptr;
    QPushButton* button = nullptr;
    QLabel* note = nullptr;
    bool settingsUnavailable = false;
    std::optional<QString> serviceError;
};

} // namespace mewt
