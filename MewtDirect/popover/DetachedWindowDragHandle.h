#pragma once

#include <QPointF>
#include <QWidget>

namespace mewt {

// Moves the window under `source` with the pointer held down at `globalPress`. An open edit in the
// popover is settled and text editing ends first. The window manager moves the window when it
// can; without one the window follows the pointer itself until the button goes up.
void beginDetachedWindowDrag(QWidget& source, QPointF globalPress);

// An empty stretch of the detached window's header by which the window is dragged.
class DetachedWindowDragHandle final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DetachedWindowDragHandle)

public:
    static constexpr int minimumHeight = 20;

    explicit DetachedWindowDragHandle(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace mewt
