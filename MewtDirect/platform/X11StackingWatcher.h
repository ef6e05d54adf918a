#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace mewt {

// Keeps one window above the others while asked to: a window mapped later, or one stacked right
// on top of it, has it raised again. It listens to the root window's children through Qt's own
// connection only while it keeps a window; off X11 it does nothing.
class X11StackingWatcher final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11StackingWatcher)

public:
    // Two clients that both insist on the top would raise each other for ever: at most one raise
    // in this long, the last one deferred to its end.
    static constexpr int raiseSpacingMs = 250;

    explicit X11StackingWatcher(QObject* parent = nullptr);
    ~X11StackingWatcher() override;

    void keepAbove(QWindow* window);
    void stop();
    bool isKeeping() const { return !kept.isNull(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void selectRootChildren(bool on);
    void raiseKept();

    QPointer<QWindow> kept;
    QTimer spacing;
    bool raisePending = false;
};

} // namespace mewt
