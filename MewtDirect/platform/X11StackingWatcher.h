#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace mewt {

// Keeps one window above other programs' windows and below the windows of ours that float higher,
// as window levels would; X11 has none, so the order is kept by hand. The window goes right below
// the lowest of the higher windows shown (their window manager's frames for managed ones), or on
// top when none shows; a window mapped later, or one stacked right on top of it, has it placed
// again. It listens to the root window's children through Qt's own connection only while it keeps
// a window; off X11 it does nothing.
class X11StackingWatcher final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11StackingWatcher)

public:
    // Two clients that both insist on the top would raise each other for ever: at most one raise
    // in this long, the last one deferred to its end.
    static constexpr int raiseSpacingMs = 250;

    explicit X11StackingWatcher(QObject* parent = nullptr);
    ~X11StackingWatcher() override;

    // Keeps `window` in its place from now on, placing it at once; `higher` names the windows that
    // stay above it, asked each time.
    void keep(QWindow* window, std::function<QList<QWindow*>()> higher);
    void stop();
    bool isKeeping() const { return !kept.isNull(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void selectRootChildren(bool on);
    void placeKept();
    void restack();

    QPointer<QWindow> kept;
    std::function<QList<QWindow*>()> higherWindows;
    QTimer spacing;
    bool placePending = false;
    // The root's children are listened to from `keep` until `stop`, also once the kept window is
    // gone (another program destroyed it).
    bool watching = false;
};

} // namespace mewt
