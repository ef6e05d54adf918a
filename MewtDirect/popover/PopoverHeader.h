#pragma once

#include "model/CatTheme.h"
#include "popover/NotificationBanner.h"

#include <QWidget>
#include <optional>

class QMenu;
class QToolButton;

namespace mewt {

class PopoverTitle;
class ToolbarIconButton;

// The standard header above the popover's card: the title, the "update" link while a newer version
// is known, the more-actions menu button, and under them the notification banner when it applies.
class PopoverHeader final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopoverHeader)

public:
    struct Content {
        CatPopoverPalette palette;
        bool showsBanner = false;
        NotificationBanner::Content banner;
        // The newer version the updater found, and whether a check runs now.
        std::optional<QString> updateVersion;
        bool checkingForUpdates = false;
        bool operator==(const Content&) const = default;
    };

    PopoverHeader(QMenu& menu, QWidget* parent = nullptr);

    void setContent(const Content& content);
    ToolbarIconButton& menuButton() const { return *moreActions; }
    NotificationBanner& banner() const { return *notificationBanner; }
    QToolButton& updateLink() const { return *update; }
    bool showsUpdateLink() const;

Q_SIGNALS:
    void notificationActionPressed();
    void updatePressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QMenu& menu;
    Content shown;
    PopoverTitle* title = nullptr;
    QWidget* updateRow = nullptr;
    QToolButton* update = nullptr;
    ToolbarIconButton* moreActions = nullptr;
    NotificationBanner* notificationBanner = nullptr;
};

} // namespace mewt
