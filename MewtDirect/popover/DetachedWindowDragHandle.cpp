#include "popover/DetachedWindowDragHandle.h"

#include "popover/PopoverContentHostingView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <utility>

namespace mewt {

namespace {

// Follows the pointer until the button goes up, for a desktop whose window manager offers no
// move of its own (or none at all). Gone with its window or at the release.
class PointerFollowingDrag final : public QObject {
public:
    PointerFollowingDrag(QWidget& window, QPointF globalPress)
        : QObject(&window)
        , window(window)
        , offset(globalPress.toPoint() - window.pos())
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Each pointer event reaches the filter once for the window and again per widget.
        if (!watched->isWindowType())
            return false;
        if (event->type() == QEvent::MouseMove) {
            window.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - offset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            deleteLater();
            return true;
        }
        return false;
    }

private:
    QWidget& window;
    QPoint offset;
};

void beginDrag(QWidget& source, QPointF globalPress, QPointF globalPointer)
{
    for (QWidget* ancestor = &source; ancestor != nullptr; ancestor = ancestor->parentWidget()) {
        if (auto* host = qobject_cast<PopoverContentHostingView*>(ancestor)) {
            if (host->onWindowDragWillStart)
                host->onWindowDragWillStart();
            break;
        }
    }
    QWidget* window = source.window();
    if (QWidget* focused = window->focusWidget())
        focused->clearFocus();
    if (window->windowHandle() && window->windowHandle()->startSystemMove())
        return;
    new PointerFollowingDrag(*window, globalPress);
    window->move(window->pos() + (globalPointer - globalPress).toPoint());
}

} // namespace

void PendingWindowDrag::press(const QMouseEvent& event)
{
    if (event.button() == Qt::LeftButton)
        pressedAt = event.globalPosition();
}

bool PendingWindowDrag::move(QWidget& source, const QMouseEvent& event)
{
    if (!pressedAt)
        return false;
    if (!(event.buttons() & Qt::LeftButton)) {
        pressedAt.reset();
        return false;
    }
    const QPointF pointer = event.globalPosition();
    if ((pointer - *pressedAt).manhattanLength() >= QApplication::startDragDistance())
        beginDrag(source, *std::exchange(pressedAt, std::nullopt), pointer);
    return true;
}

DetachedWindowDragHandle::DetachedWindowDragHandle(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("detachedWindowDragHandle"));
    setMinimumHeight(minimumHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setCursor(Qt::OpenHandCursor);
}

void DetachedWindowDragHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    drag.press(*event);
}

void DetachedWindowDragHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (!drag.move(*this, *event))
        QWidget::mouseMoveEvent(event);
}

void DetachedWindowDragHandle::mouseReleaseEvent(QMouseEvent* event)
{
    drag.release();
    QWidget::mouseReleaseEvent(event);
}

} // namespace mewt
