#pragma once

#include "model/CatTheme.h"
#include "popover/DetachmentButtons.h"
#include "popover/NotificationBanner.h"

#include <QWidget>
#include <optional>

class QMenu;
class QToolButton;

namespace mewt {

class DetachedWindowDragHandle;
class PopoverTitle;
class ToolbarIconButton;

// The standard header above the popover's card: the title, the "update" link while a newer version
// is known, the pin and the more-actions menu button, and under them the notification banner when
// it applies. In the detached window a close button leads the row and its empty stretch drags the
// window.
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
        bool detached = false;
        // The tour keeps the popover where it is: no pinning or closing meanwhile.
        bool tourPresented = false;
        bool operator==(const Content&) const = default;
    };

    PopoverHeader(QMenu& menu, QWidget* parent = nullptr);

    void setContent(const Content& content);
    ToolbarIconButton& menuButton() const { return *moreActions; }
    NotificationBanner& banner() const { return *notificationBanner; }
    QToolButton& updateLink() const { return *update; }
    ToolbarIconButton& pinButton() const { return *detachment.pin; }
    ToolbarIconButton& closeButton() const { return *detachment.close; }
    DetachedWindowDragHandle& dragHandle() const { return *handle; }
    bool showsUpdateLink() const;

Q_SIGNALS:
    void notificationActionPressed();
    void updatePressed();
    // Pin or unpin, and close the detached window: both ask for the other form.
    void pinPressed();
    void closePressed();

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
    DetachmentButtons detachment;
    DetachedWindowDragHandle* handle = nullptr;
    NotificationBanner* notificationBanner = nullptr;
};

} // namespace mewt
