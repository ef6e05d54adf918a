#include "platform/UserDefaults.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace mewt {

namespace {

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
}

} // namespace

std::optional<bool> UserDefaults::boolValue(const QString& key) const
{
    const auto raw = rawValue(key);
    if (!raw)
        return std::nullopt;
    if (raw->typeId() == QMetaType::Bool)
        return raw->toBool();
    if (isText(*raw)) {
        const QString text = raw->toString().trimmed().toLower();
        if (text == u"true" || text == u"1")
            return true;
        if (text == u"false" || text == u"0")
            return false;
        return std::nullopt;
    }
    if (isNumber(*raw)) {
        const double number = raw->toDouble();
        if (number == 0.0 || number == 1.0)
            return number == 1.0;
    }
    return std::nullopt;
}

std::optional<qint64> UserDefaults::intValue(const QString& key) const
{
    const auto raw = rawValue(key);
    if (!raw)
        return std::nullopt;
    switch (raw->typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return raw->toLongLong();
    default:
        break;
    }
    if (isText(*raw)) {
        bool ok = false;
        const qint64 value = raw->toString().trimmed().toLongLong(&ok);
        return ok ? std::optional(value) : std::nullopt;
    }
    if (isNumber(*raw)) {
        const double number = raw->toDouble();
        // Only integral values that fit: a cast of anything else is undefined.
        if (std::isfinite(number) && std::trunc(number) == number && std::abs(number) < 9.0e15)
            return static_cast<qint64>(number);
    }
    return std::nullopt;
}

std::optional<double> UserDefaults::doubleValue(const QString& key) const
{
    const auto raw = rawValue(key);
    if (!raw)
        return std::nullopt;
    if (isNumber(*raw))
        return raw->toDouble();
    if (isText(*raw)) {
        bool ok = false;
        const double value = raw->toString().trimmed().toDouble(&ok);
        return ok ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> UserDefaults::stringValue(const QString& key) const
{
    const auto raw = rawValue(key);
    if (!raw || !isText(*raw))
        return std::nullopt;
    return raw->toString();
}

std::optional<QByteArray> UserDefaults::dataValue(const QString& key) const
{
    const auto raw = rawValue(key);
    if (!raw)
        return std::nullopt;
    if (raw->typeId() == QMetaType::QByteArray)
        return raw->toByteArray();
    if (raw->typeId() == QMetaType::QString)
        return raw->toString().toUtf8();
    return std::nullopt;
}

} // namespace mewt
