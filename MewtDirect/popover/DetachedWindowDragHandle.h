#pragma once

#include <QPointF>
#include <QWidget>
#include <optional>

class QMouseEvent;

namespace mewt {

// A left press that moves the window under the pressed widget once the pointer has travelled the
// drag distance with the button still down. A click moves nothing: a move asked for at the press
// would start after a quick release and glue the window to the pointer until the next click. An
// open edit in the popover is settled and text editing ends as the drag starts. The window manager
// moves the window when it can; without one the window follows the pointer itself until the button
// goes up.
class PendingWindowDrag {
public:
    void press(const QMouseEvent& event);
    // Whether the move belonged to a press; the one that travels far enough starts the drag.
    bool move(QWidget& source, const QMouseEvent& event);
    void release() { pressedAt.reset(); }

private:
    std::optional<QPointF> pressedAt;
};

// An empty stretch of the detached window's header by which the window is dragged.
class DetachedWindowDragHandle final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DetachedWindowDragHandle)

public:
    static constexpr int minimumHeight = 20;

    explicit DetachedWindowDragHandle(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PendingWindowDrag drag;
};

} // namespace mewt
