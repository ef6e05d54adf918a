#pragma once

#include "model/CatTheme.h"
#include "popover/DetachmentButtons.h"

#include <QWidget>
#include <optional>

class QMenu;

namespace mewt {

class DetachedWindowDragHandle;
class PopoverTitle;
class TimerState;
class ToolbarIconButton;
struct PomodoroPlan;

// Stop shows unless nothing runs, pauses or waits.
bool showsStopButton(const TimerState& state, const std::optional<PomodoroPlan>& plan);
// Skip shows for a running phase that another phase follows (always in a continuous plan).
bool showsSkipButton(const std::optional<PomodoroPlan>& plan);

// The zen layout's row of icon buttons in place of the header: pin, stop, skip and the
// more-actions menu. In the detached window the close button, the title and a drag handle lead it.
class CompactToolbar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CompactToolbar)

public:
    struct Content {
        bool showsStop = false;
        bool showsSkip = false;
        QColor ink;
        QColor accent;
        bool detached = false;
        // The tour keeps the popover where it is: no pinning or closing meanwhile.
        bool tourPresented = false;
        bool operator==(const Content&) const = default;
    };

    CompactToolbar(QMenu& menu, QWidget* parent = nullptr);

    void setContent(const Content& content);
    ToolbarIconButton& stopButton() const { return *stop; }
    ToolbarIconButton& skipButton() const { return *skip; }
    ToolbarIconButton& menuButton() const { return *moreActions; }
    ToolbarIconButton& pinButton() const { return *detachment.pin; }
    ToolbarIconButton& closeButton() const { return *detachment.close; }
    DetachedWindowDragHandle& dragHandle() const { return *handle; }

Q_SIGNALS:
    void stopPressed();
    void skipPressed();
    void pinPressed();
    void closePressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QMenu& menu;
    Content shown;
    DetachmentButtons detachment;
    PopoverTitle* title = nullptr;
    DetachedWindowDragHandle* handle = nullptr;
    ToolbarIconButton* stop = nullptr;
    ToolbarIconButton* skip = nullptr;
    ToolbarIconButton* moreActions = nullptr;
};

} // namespace mewt
