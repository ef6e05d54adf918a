#pragma once

#include "model/NotificationAuthorizationState.h"

#include <QWidget>
#include <optional>

class QLabel;
class QToolButton;

namespace mewt {

// Whether the completion notification would fail to reach the user, so the banner shows.
bool showsNotificationBanner(bool tourPresented, NotificationAuthorizationState authorization,
    const std::optional<NotificationDeliveryState>& delivery);

// The line under the header when notifications are off: what is wrong and one button that asks for
// permission or opens the desktop's settings. When the desktop had no settings to open, it says
// where to look instead.
class NotificationBanner final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotificationBanner)

public:
    static constexpr int minimumBannerHeight = 30;

    struct Content {
        bool allowed = false;
        bool settingsUnavailable = false;
        QColor foreground;
        QColor fill;
        bool operator==(const Content&) const = default;
    };

    explicit NotificationBanner(QWidget* parent = nullptr);

    void setContent(const Content& content);
    QString text() const;
    QToolButton& actionButton() const { return *button; }

Q_SIGNALS:
    void actionPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    Content shown;
    QLabel* icon = nullptr;
    QLabel* message = nullptr;
    QToolButton* button = nullptr;
};

} // namespace mewt
