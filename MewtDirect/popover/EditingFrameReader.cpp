#include "popover/EditingFrameReader.h"

#include <QEvent>
#include <QWidget>

namespace mewt {

EditingFrameReader::EditingFrameReader(QWidget& target, QWidget& space, Report report, QObject* parent)
    : QObject(parent)
    , target(&target)
    , space(&space)
    , report(std::move(report))
{
    watchChain();
    refresh();
}

EditingFrameReader::~EditingFrameReader()
{
    for (const QPointer<QWidget>& widget : watched) {
        if (widget)
            widget->removeEventFilter(this);
    }
}

std::optional<QRectF> EditingFrameReader::frame() const
{
    if (!target || !space || !space->isAncestorOf(target) || !target->isVisibleTo(space))
        return std::nullopt;
    return QRectF(target->mapTo(space, QPoint(0, 0)), target->size());
}

void EditingFrameReader::refresh()
{
    const std::optional<QRectF> now = frame();
    if (now == last)
        return;
    last = now;
    if (report)
        report(now);
}

void EditingFrameReader::watchChain()
{
    for (const QPointer<QWidget>& widget : watched) {
        if (widget)
            widget->removeEventFilter(this);
    }
    watched.clear();
    for (QWidget* widget = target; widget && widget != space; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        watched.append(widget);
    }
}

bool EditingFrameReader::eventFilter(QObject* object, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        watchChain();
        refresh();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent: refresh(); break;
    default: break;
    }
    return QObject::eventFilter(object, event);
}

} // namespace mewt
