#include "popover/PopoverContentHostingView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTimer>

namespace mewt {

PopoverContentHostingView::PopoverContentHostingView(QWidget* root, QWidget* background, QWidget* parent)
    : QWidget(parent)
    , rootView(root)
    , backgroundView(background)
{
    if (backgroundView) {
        backgroundView->setParent(this);
        backgroundView->lower();
    }
    if (rootView) {
        rootView->setParent(this);
        rootView->raise();
        // A layout change inside the root is the moment its wished height may have moved.
        rootView->installEventFilter(this);
    }
}

PopoverContentHostingView::~PopoverContentHostingView()
{
    onIntrinsicSizeChange = nullptr;
    onWindowDragWillStart = nullptr;
}

QSize PopoverContentHostingView::intrinsicSize() const
{
    if (!rootView)
        return {};
    const int width = rootView->width() > 0 ? rootView->width() : rootView->sizeHint().width();
    const int height = rootView->hasHeightForWidth() ? rootView->heightForWidth(width) : rootView->sizeHint().height();
    return { width, height };
}

void PopoverContentHostingView::reportIntrinsicSize(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0 || size == lastReported)
        return;
    lastReported = size;
    QTimer::singleShot(0, this, [this, size] {
        if (onIntrinsicSizeChange)
            onIntrinsicSizeChange(size);
    });
}

bool PopoverContentHostingView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rootView && event->type() == QEvent::LayoutRequest)
        reportIntrinsicSize(intrinsicSize());
    return QWidget::eventFilter(watched, event);
}

void PopoverContentHostingView::mousePressEvent(QMouseEvent* event)
{
    // Only presses that every widget above passed on arrive here.
    if (!movableByBackground || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    drag.press(*event);
}

void PopoverContentHostingView::mouseMoveEvent(QMouseEvent* event)
{
    if (!drag.move(*this, *event))
        QWidget::mouseMoveEvent(event);
}

void PopoverContentHostingView::mouseReleaseEvent(QMouseEvent* event)
{
    drag.release();
    QWidget::mouseReleaseEvent(event);
}

void PopoverContentHostingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (backgroundView)
        backgroundView->setGeometry(rect());
    if (rootView)
        rootView->setGeometry(0, 0, rootView->width() > 0 ? rootView->width() : width(), height());
}

} // namespace mewt
