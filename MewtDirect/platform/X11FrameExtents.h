#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

class QWidget;

namespace mewt {

// The frame a window manager puts around one of our managed windows (_NET_FRAME_EXTENTS, left,
// right, top, bottom), so the window is placed and kept on screen by its outer edges: Qt learns
// the frame only once the window shows, and places a window it has not shown by its content.
// Read as the manager sets it, followed as it changes (`changed`), and asked for before the
// window first shows. Off X11, with no manager, or with a value that makes no sense: no frame.
class X11FrameExtents final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11FrameExtents)

public:
    // A frame wider than this on any side is taken for garbage.
    static constexpr int largestSide = 512;
    // How long a manager that promised to tell a frame in advance is waited for.
    static constexpr std::chrono::milliseconds answerTimeout { 250 };

    // Follows `window`'s native window, whichever it is at the time; ends with it.
    explicit X11FrameExtents(QWidget& window);
    ~X11FrameExtents() override;

    // The frame's widths in Qt's units; none when the manager has not set them (yet).
    std::optional<QMargins> margins() const;
    // The window's outer rectangle: its content and the frame.
    QRect frameGeometry() const;
    // Whether Qt's idea of where the window is agrees with the server's. Right after the manager
    // maps, reparents or moves it, Qt may for a moment hold an older place (even the corner), and
    // a move computed from that, or a resize Qt sends with it, puts the window back there.
    bool isSettled() const;
    // Moves the window so its frame's top-left corner lands on `topLeft`.
    void moveFrameTo(QPoint topLeft);

    // Calls `then` once the frame is known: at once when it is, or when no manager runs or can
    // tell it in advance; otherwise after asking the manager for the frame this unmapped window
    // will get, when the answer comes or `answerTimeout` passed. A newer call replaces an older
    // one still waiting.
    void whenKnown(std::function<void()> then);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    // The manager set the frame anew (also to the same widths).
    void changed();

private:
    void answer();
    double deviceRatio() const;

    QPointer<QWidget> window;
    std::function<void()> waiting;
    QTimer timeout;
};

} // namespace mewt
