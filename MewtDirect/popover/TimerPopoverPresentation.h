#pragma once

#include <QObject>
#include <QRectF>
#include <functional>
#include <optional>

namespace mewt {

// What the popover's controller and its views share: whether it is on screen or detached, the two
// requests the views watch, and where the standard toolbar sits. Each setter notifies only on a
// real change.
class TimerPopoverPresentation final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverPresentation)

public:
    enum class DetachmentCause { interactive, restoration };

    explicit TimerPopoverPresentation(QObject* parent = nullptr);

    [[nodiscard]] bool isVisible() const { return visible; }
    void setVisible(bool value);

    [[nodiscard]] bool isDetached() const { return detached; }
    void setIsDetached(bool value);

    // Each increment asks the views to commit or drop the inline edit in progress.
    [[nodiscard]] int editorSettlementRequest() const { return settlementRequest; }
    void requestEditorSettlement();

    // Raised by the views (Return on the start control), never by the controller.
    [[nodiscard]] int startRequest() const { return start; }
    void requestStart();

    [[nodiscard]] std::optional<QRectF> standardToolbarFrame() const { return toolbarFrame; }
    void setStandardToolbarFrame(std::optional<QRectF> frame);

    // Pins or unpins the popover: on a change, the flag is set first, then the controller's
    // handler switches the window.
    void setDetached(bool detached, DetachmentCause cause);

    // Filled by the controller.
    std::function<void(bool, DetachmentCause)> onDetachedChange;
    std::function<void()> onTextInputFocusRequest;

Q_SIGNALS:
    void visibleChanged(bool visible);
    void detachedChanged(bool detached);
    void editorSettlementRequested(int request);
    void startRequested(int request);
    void standardToolbarFrameChanged();

private:
    bool visible = false;
    bool detached = false;
    int settlementRequest = 0;
    int start = 0;
    std::optional<QRectF> toolbarFrame;
};

} // namespace mewt
