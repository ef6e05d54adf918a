#include "platform/AccessibleCallGuard.h"

#include <QAccessibleTextInterface>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QXmlStreamReader>
#include <algorithm>
#include <optional>

namespace mewt {

namespace {

// Where Qt's bridge answers for every element, and the name it gives its accessibility bus.
const QString elementsPath = QStringLiteral("/org/a11y/atspi/accessible");
const QString busName = QStringLiteral("a11y");
const QString rootPath = elementsPath + QStringLiteral("/root");
const QLatin1String textInterface("org.a11y.atspi.Text");
const QLatin1String propertiesInterface("org.freedesktop.DBus.Properties");
// Answered here alone: the bridge knows no such method.
const QLatin1String stringAtOffset("GetStringAtOffset");

// What the bridge reads without declaring it: each property call takes its interface and
// property names first.
std::optional<QString> undeclaredSignature(const QString& interface, const QString& member)
{
    if (interface == textInterface && member == stringAtOffset)
        return QStringLiteral("iu");
    if (interface == propertiesInterface && member == QLatin1String("Get"))
        return QStringLiteral("ss");
    if (interface == propertiesInterface && member == QLatin1String("Set"))
        return QStringLiteral("ssv");
    return std::nullopt;
}

// A stretch of text inside a box, as GetBoundedRanges answers it.
struct BoundedRun {
    int start = 0;
    int end = 0;
    QString text;
    QDBusVariant data;
};

QDBusArgument& operator<<(QDBusArgument& argument, const BoundedRun& run)
{
    argument.beginStructure();
    argument << run.start << run.end << run.text << run.data;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BoundedRun& run)
{
    argument.beginStructure();
    argument >> run.start >> run.end >> run.text >> run.data;
    argument.endStructure();
    return argument;
}

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

QAccessibleInterface* elementAt(const QString& path)
{
    if (!path.startsWith(elementsPath + QLatin1Char('/')))
        return nullptr;
    bool number = false;
    const QAccessible::Id id = path.mid(elementsPath.size() + 1).toUInt(&number);
    return number ? QAccessible::accessibleInterface(id) : nullptr;
}

// Signed or unsigned, a 32-bit number reads the same to the bridge; clients differ in which they send.
QString loose(QString signature)
{
    return signature.replace(QLatin1Char('u'), QLatin1Char('i'));
}

// AT-SPI's text granularities: character, word, sentence, line, paragraph.
std::optional<QAccessible::TextBoundaryType> boundaryOf(uint granularity)
{
    constexpr QAccessible::TextBoundaryType boundaries[] = { QAccessible::CharBoundary, QAccessible::WordBoundary,
        QAccessible::SentenceBoundary, QAccessible::LineBoundary, QAccessible::ParagraphBoundary };
    if (granularity >= std::size(boundaries))
        return std::nullopt;
    return boundaries[granularity];
}

// Along one axis, AT-SPI's clip types: 0 keeps what the box only cuts, 1 drops what its low edge
// cuts, 2 what its high edge cuts, 3 both.
bool within(qint64 low, qint64 high, qint64 boxLow, qint64 boxHigh, uint clip)
{
    if (high <= boxLow || low >= boxHigh)
        return false;
    return !((clip & 1) && low < boxLow) && !((clip & 2) && high > boxHigh);
}

// Where a window-relative box starts on the screen, as the bridge counts window coordinates.
QPoint windowOrigin(QAccessibleInterface* element)
{
    for (QAccessibleInterface* at = element; at; at = at->parent()) {
        if (at->role() == QAccessible::Window)
            return at->rect().topLeft();
    }
    return {};
}

} // namespace

AccessibleCallGuard::AccessibleCallGuard(QObject* parent)
    : QDBusVirtualObject(parent)
{
    qDBusRegisterMetaType<BoundedRun>();
    qDBusRegisterMetaType<QList<BoundedRun>>();
    QAccessible::installActivationObserver(this);
    if (QAccessible::isActive())
        accessibilityActiveChanged(true);
}

AccessibleCallGuard::~AccessibleCallGuard()
{
    QAccessible::removeActivationObserver(this);
    QDBusConnection bus(busName);
    if (bridge && bus.objectRegisteredAt(elementsPath) == this) {
        bus.unregisterObject(elementsPath);
        bus.registerVirtualObject(elementsPath, bridge, QDBusConnection::SubPath);
    }
}

void AccessibleCallGuard::accessibilityActiveChanged(bool active)
{
    // The bridge registers itself on the bus right after telling its observers.
    if (active)
        QMetaObject::invokeMethod(this, &AccessibleCallGuard::takeBridgesPlace, Qt::QueuedConnection);
}

void AccessibleCallGuard::takeBridgesPlace()
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

QString AccessibleCallGuard::introspect(const QString& path) const
{
    return bridge ? bridge->introspect(path) : QString();
}

std::optional<QString> AccessibleCallGuard::declaredSignature(const QDBusMessage& message)
{
    if (auto undeclared = undeclaredSignature(message.interface(), message.member()))
        return undeclared;
    // Every element declares an interface's methods alike: one look at the first element that has it.
    if (!introspectedInterfaces.contains(message.interface())) {
        QXmlStreamReader xml(QStringLiteral("<node>") + bridge->introspect(message.path()) + QStringLiteral("</node>"));
        QString interface;
        QString method;
        QString types;
        while (!xml.atEnd() && !xml.hasError()) {
            xml.readNext();
            const QXmlStreamAttributes attributes = xml.attributes();
            if (xml.isStartElement() && xml.name() == QLatin1String("interface")) {
                interface = attributes.value(QLatin1String("name")).toString();
                introspectedInterfaces.insert(interface);
            } else if (xml.isStartElement() && xml.name() == QLatin1String("method")) {
                method = attributes.value(QLatin1String("name")).toString();
                types.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("arg")
                && attributes.value(QLatin1String("direction")) != QLatin1String("out")) {
                types += attributes.value(QLatin1String("type"));
            } else if (xml.isEndElement() && xml.name() == QLatin1String("method")) {
                signatures.insert(interface + QLatin1Char('.') + method, types);
            }
        }
    }
    const auto found = signatures.constFind(message.interface() + QLatin1Char('.') + message.member());
    return found == signatures.constEnd() ? std::nullopt : std::optional(*found);
}

bool AccessibleCallGuard::answerTextQuery(const QDBusMessage& message, const QDBusConnection& connection,
    QAccessibleInterface& element, QAccessibleTextInterface& text) const
{
    const QString member = message.member();
    const QList<QVariant> arguments = message.arguments();
    const int count = text.characterCount();
    const auto reply
        = [&](const QList<QVariant>& values) { return connection.send(message.createReply(values)), true; };
    if (member == QLatin1String("GetTextAtOffset") || member == QLatin1String("GetTextAfterOffset")
        || member == stringAtOffset) {
        const int offset = arguments.at(0).toInt();
        // The empty text at the end, where the bridge's word, sentence and line search never stops;
        // -1 is AT-SPI's end of the text.
        if (offset == -1 || offset >= count)
            return reply({ QString(), count, count });
        if (member != stringAtOffset)
            return false;
        const auto boundary = boundaryOf(arguments.at(1).toUInt());
        if (!boundary) {
            connection.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("unknown granularity")));
            return true;
        }
        int start = 0;
        int end = 0;
        const QString found = text.textAtOffset(offset, *boundary, &start, &end);
        return reply({ found, start, end });
    }
    if (member != QLatin1String("GetBoundedRanges"))
        return false;
    // Wide enough for any box a caller names, which may reach past the ends of an int.
    constexpr uint windowCoordinates = 1;
    const QPoint origin = arguments.at(4).toUInt() == windowCoordinates ? windowOrigin(&element) : QPoint();
    const qint64 left = qint64(arguments.at(0).toInt()) + origin.x();
    const qint64 top = qint64(arguments.at(1).toInt()) + origin.y();
    const qint64 right = left + arguments.at(2).toInt();
    const qint64 bottom = top + arguments.at(3).toInt();
    const uint xClip = arguments.at(5).toUInt();
    const uint yClip = arguments.at(6).toUInt();
    QList<BoundedRun> runs;
    for (int i = 0; i < count; ++i) {
        const QRect glyph = text.characterRect(i);
        if (glyph.isEmpty() || !within(glyph.left(), qint64(glyph.left()) + glyph.width(), left, right, xClip)
            || !within(glyph.top(), qint64(glyph.top()) + glyph.height(), top, bottom, yClip))
            continue;
        if (!runs.isEmpty() && runs.last().end == i)
            runs.last().end = i + 1;
        else
            runs.append({ i, i + 1, {}, QDBusVariant(QString()) });
    }
    for (BoundedRun& run : runs)
        run.text = text.text(run.start, run.end);
    return reply({ QVariant::fromValue(runs) });
}

bool AccessibleCallGuard::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (!bridge)
        return false;
    // The bridge leaves a call on an element that is gone, or on AT-SPI's null object, unanswered.
    QAccessibleInterface* element = elementAt(message.path());
    if (!element && message.path() != rootPath) {
        connection.send(message.createErrorReply(QDBusError::UnknownObject, QStringLiteral("no such element")));
        return true;
    }
    const auto declared = declaredSignature(message);
    if (declared && loose(*declared) != loose(message.signature())) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs,
            QStringLiteral("%1 takes (%2), not (%3)").arg(message.member(), *declared, message.signature())));
        return true;
    }
    // The bridge serves a member it does not declare as a property: Get… reads no argument, Set…
    // the value of a property call, and a property call's first two arguments name the property.
    if (message.interface() == propertiesInterface ? !declared
                                                   : !declared && message.member().startsWith(QLatin1String("Set"))) {
        connection.send(message.createErrorReply(QDBusError::UnknownMethod, QStringLiteral("no such method")));
        return true;
    }
    if (message.interface() == QLatin1String("org.a11y.atspi.Value")
        && message.member() == QLatin1String("SetCurrentValue") && element && element->valueInterface()) {
        element->valueInterface()->setCurrentValue(message.arguments().at(0).toDouble());
        connection.send(message.createReply());
        return true;
    }
    QAccessibleTextInterface* text
        = element && message.interface() == textInterface ? element->textInterface() : nullptr;
    if (!text)
        return bridge->handleMessage(message, connection);
    if (answerTextQuery(message, connection, *element, *text))
        return true;
    QList<QVariant> arguments = message.arguments();
    const int count = text->characterCount();
    if (const int first = rangeArgument(message.member()); first >= 0) {
        const int start = std::clamp(arguments.at(first).toInt(), 0, count);
        const int end = arguments.at(first + 1).toInt();
        arguments[first] = start;
        arguments[first + 1] = end == -1 ? count : std::clamp(end, start, count); // -1: AT-SPI's "to the end"
    } else if (message.member() == QLatin1String("GetTextBeforeOffset")) {
        const int offset = arguments.at(0).toInt();
        arguments[0] = offset == -1 ? count : std::min(offset, count);
    }
    // A copy shares the call's data, so the bridge's reply still answers the caller.
    QDBusMessage held = message;
    held.setArguments(arguments);
    return bridge->handleMessage(held, connection);
}

} // namespace mewt
