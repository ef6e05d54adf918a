#pragma once

#include <QAccessible>
#include <QDBusVirtualObject>
#include <QPointer>

namespace mewt {

// Qt's AT-SPI bridge measures a text range one character at a time up to its end, however far past
// the text that lies: a reader's range extents for (0, 2^31 - 1) hold the GUI thread for seconds,
// and any client on the accessibility bus may ask. Once accessibility is on, this object takes the
// bridge's place on the bus and holds each text range a call names to its element's text before
// passing the call on unchanged otherwise.
class AccessibleTextRangeGuard final : public QDBusVirtualObject, public QAccessible::ActivationObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccessibleTextRangeGuard)

public:
    explicit AccessibleTextRangeGuard(QObject* parent = nullptr);
    ~AccessibleTextRangeGuard() override;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    void accessibilityActiveChanged(bool active) override;

private:
    void takeBridgesPlace();

    QPointer<QDBusVirtualObject> bridge;
};

} // namespace mewt
