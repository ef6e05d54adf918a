#pragma once

#include "popover/DetachedWindowDragHandle.h"

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>

namespace mewt {

// What fills the popover panel: the root view at its fixed width on top of the popover's
// background. It tells its owner the height the root view wants, after the current event and only
// when that changed; the owner then sizes the panel (this view never sizes it itself).
class PopoverContentHostingView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopoverContentHostingView)

public:
    // Takes both views; `background` may be null.
    PopoverContentHostingView(QWidget* root, QWidget* background, QWidget* parent = nullptr);
    ~PopoverContentHostingView() override;

    QWidget* root() const { return rootView; }

    // The root's current wish, measured at its fixed width.
    QSize intrinsicSize() const;
    // Passes a size on from the event loop unless it is empty or the same as the last one.
    void reportIntrinsicSize(QSize size);
    QSize lastReportedSize() const { return lastReported; }

    std::function<void(QSize)> onIntrinsicSizeChange;

    // The detached window is dragged by any press that no control takes.
    void setMovableByBackground(bool movable) { movableByBackground = movable; }
    bool isMovableByBackground() const { return movableByBackground; }
    // A drag of the window is about to start: open edits are settled first.
    std::function<void()> onWindowDragWillStart;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> rootView;
    QPointer<QWidget> backgroundView;
    QSize lastReported { 0, 0 };
    bool movableByBackground = false;
    PendingWindowDrag drag;
};

} // namespace mewt
