#include "platform/AccessibleTextRangeGuard.h"

#include <QAccessibleTextInterface>
#include <QDBusConnection>
#include <QDBusMessage>
#include <algorithm>

namespace mewt {

namespace {

// Where Qt's bridge answers for every element, and the name it gives its accessibility bus.
const QString elementsPath = QStringLiteral("/org/a11y/atspi/accessible");
const QString busName = QStringLiteral("a11y");

// The argument that starts the range, in the calls that name one (the end follows it).
int rangeArgument(const QString& member)
{
    if (member == QLatin1String("GetText") || member == QLatin1String("GetRangeExtents")
        || member == QLatin1String("AddSelection"))
        return 0;
    if (member == QLatin1String("SetSelection"))
        return 1;
    return -1;
}

QAccessibleTextInterface* textAt(const QString& path)
{
    if (!path.startsWith(elementsPath + QLatin1Char('/')))
        return nullptr;
    bool number = false;
    const QAccessible::Id id = path.mid(elementsPath.size() + 1).toUInt(&number);
    QAccessibleInterface* element = number ? QAccessible::accessibleInterface(id) : nullptr;
    return element ? element->textInterface() : nullptr;
}

} // namespace

AccessibleTextRangeGuard::AccessibleTextRangeGuard(QObject* parent)
    : QDBusVirtualObject(parent)
{
    QAccessible::installActivationObserver(this);
    if (QAccessible::isActive())
        accessibilityActiveChanged(true);
}

AccessibleTextRangeGuard::~AccessibleTextRangeGuard()
{
    QAccessible::removeActivationObserver(this);
    QDBusConnection bus(busName);
    if (bridge && bus.objectRegisteredAt(elementsPath) == this) {
        bus.unregisterObject(elementsPath);
        bus.registerVirtualObject(elementsPath, bridge, QDBusConnection::SubPath);
    }
}

void AccessibleTextRangeGuard::accessibilityActiveChanged(bool active)
{
    // The bridge registers itself on the bus right after telling its observers.
    if (active)
        QMetaObject::invokeMethod(this, &AccessibleTextRangeGuard::takeBridgesPlace, Qt::QueuedConnection);
}

void AccessibleTextRangeGuard::takeBridgesPlace()
{
    QDBusConnection bus(busName);
    auto* registered = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(elementsPath));
    if (registered == nullptr || registered == this)
        return;
    bus.unregisterObject(elementsPath);
    if (bus.registerVirtualObject(elementsPath, this, QDBusConnection::SubPath))
        bridge = registered;
    else
        bus.registerVirtualObject(elementsPath, registered, QDBusConnection::SubPath);
}

QString AccessibleTextRangeGuard::introspect(const QString& path) const
{
    return bridge ? bridge->introspect(path) : QString();
}

bool AccessibleTextRangeGuard::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (!bridge)
        return false;
    const int first
        = message.interface() == QLatin1String("org.a11y.atspi.Text") ? rangeArgument(message.member()) : -1;
    QAccessibleTextInterface* text
        = first >= 0 && message.arguments().size() > first + 1 ? textAt(message.path()) : nullptr;
    if (!text)
        return bridge->handleMessage(message, connection);
    QList<QVariant> arguments = message.arguments();
    const int count = text->characterCount();
    const int start = std::clamp(arguments.at(first).toInt(), 0, count);
    const int end = arguments.at(first + 1).toInt();
    arguments[first] = start;
    arguments[first + 1] = end == -1 ? count : std::clamp(end, start, count); // -1: AT-SPI's "to the end"
    // A copy shares the call's data, so the bridge's reply still answers the caller.
    QDBusMessage held = message;
    held.setArguments(arguments);
    return bridge->handleMessage(held, connection);
}

} // namespace mewt
