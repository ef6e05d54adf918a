#include "popover/TimerPopoverPresentation.h"

namespace mewt {

TimerPopoverPresentation::TimerPopoverPresentation(QObject* parent)
    : QObject(parent)
{
}

void TimerPopoverPresentation::setVisible(bool value)
{
    if (visible == value)
        return;
    visible = value;
    Q_EMIT visibleChanged(value);
}

void TimerPopoverPresentation::setIsDetached(bool value)
{
    if (detached == value)
        return;
    detached = value;
    Q_EMIT detachedChanged(value);
}

void TimerPopoverPresentation::requestEditorSettlement()
{
    ++settlementRequest;
    Q_EMIT editorSettlementRequested(settlementRequest);
}

void TimerPopoverPresentation::requestStart()
{
    ++start;
    Q_EMIT startRequested(start);
}

void TimerPopoverPresentation::setStandardToolbarFrame(std::optional<QRectF> frame)
{
    if (toolbarFrame == frame)
        return;
    toolbarFrame = frame;
    Q_EMIT standardToolbarFrameChanged();
}

void TimerPopoverPresentation::setDetached(bool value, DetachmentCause cause)
{
    if (value == detached)
        return;
    setIsDetached(value);
    if (onDetachedChange)
        onDetachedChange(value, cause);
}

} // namespace mewt
