#pragma once

#include <QAccessible>
#include <QDBusVirtualObject>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <optional>

class QAccessibleTextInterface;

namespace mewt {

// Any client on the accessibility bus may call anything, and Qt 6.4's AT-SPI bridge trusts every
// call: it reads arguments a call does not carry (a segfault), measures a range one character at
// a time however far past the text it lies (seconds), and loops for good on a word, sentence or
// line at the text's end. Once accessibility is on, this object takes the bridge's place on the
// bus: a call whose arguments do not match what the bridge declares gets a D-Bus error, the
// queries the bridge gets wrong or leaves unanswered are answered here, range ends are held to
// the element's text, and the rest passes on unchanged.
class AccessibleCallGuard final : public QDBusVirtualObject, public QAccessible::ActivationObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccessibleCallGuard)

public:
    explicit AccessibleCallGuard(QObject* parent = nullptr);
    ~AccessibleCallGuard() override;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    void accessibilityActiveChanged(bool active) override;

private:
    void takeBridgesPlace();
    // The argument types the bridge declares for the call's method, or none when it declares none.
    std::optional<QString> declaredSignature(const QDBusMessage& message);
    bool answerTextQuery(const QDBusMessage& message, const QDBusConnection& connection, QAccessibleInterface& element,
        QAccessibleTextInterface& text) const;

    QPointer<QDBusVirtualObject> bridge;
    // "interface.member" to its argument types, from the bridge's own introspection.
    QHash<QString, QString> signatures;
    QSet<QString> introspectedInterfaces;
};

} // namespace mewt
