#include "model/TimeDisplayStyle.h"

#include <cmath>

namespace mewt {

namespace {

qint64 wholeSeconds(double seconds)
{
    // Checked before any conversion: casting a value that does not fit is undefined.
    if (std::isnan(seconds) || seconds <= 0.0)
        return 0;
    if (seconds >= static_cast<double>(maximumFormattedSeconds))
        return maximumFormattedSeconds;
    return static_cast<qint64>(std::ceil(seconds));
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString rawValue(TimeDisplayStyle style)
{
    switch (style) {
    case TimeDisplayStyle::compactSeconds: return QStringLiteral("compactSeconds");
    case TimeDisplayStyle::clock: return QStringLiteral("clock");
    case TimeDisplayStyle::totalMinutes: return QStringLiteral("totalMinutes");
    case TimeDisplayStyle::compact: break;
    }
    return QStringLiteral("compact");
}

std::optional<TimeDisplayStyle> timeDisplayStyleFromRawValue(const QString& raw)
{
    for (const TimeDisplayStyle style : allTimeDisplayStyles) {
        if (rawValue(style) == raw)
            return style;
    }
    return std::nullopt;
}

QString format(double seconds, TimeDisplayStyle style)
{
    const qint64 total = wholeSeconds(seconds);
    const qint64 hours = total / 3600;
    const qint64 minutes = total % 3600 / 60;
    const qint64 secs = total % 60;

    switch (style) {
    case TimeDisplayStyle::compact: {
        const qint64 roundedMinutes = (total + 59) / 60;
        if (roundedMinutes < 60)
            return QStringLiteral("%1m").arg(roundedMinutes);
        return QStringLiteral("%1h%2m").arg(roundedMinutes / 60).arg(roundedMinutes % 60);
    }
    case TimeDisplayStyle::compactSeconds:
        if (hours > 0)
            return QStringLiteral("%1h%2m%3s").arg(hours).arg(minutes).arg(secs);
        if (minutes > 0)
            return QStringLiteral("%1m%2s").arg(minutes).arg(secs);
        return QStringLiteral("%1s").arg(secs);
    case TimeDisplayStyle::clock:
        if (hours > 0)
            return QStringLiteral("%1:%2:%3").arg(hours).arg(twoDigits(minutes), twoDigits(secs));
        return QStringLiteral("%1:%2").arg(minutes).arg(twoDigits(secs));
    case TimeDisplayStyle::totalMinutes: return QStringLiteral("%1:%2").arg(total / 60).arg(twoDigits(secs));
    }
    return QString();
}

QString sampleText(TimeDisplayStyle style)
{
    switch (style) {
    case TimeDisplayStyle::compactSeconds: return QStringLiteral("1h1m1s");
    case TimeDisplayStyle::clock: return QStringLiteral("1:00:00");
    case TimeDisplayStyle::totalMinutes: return QStringLiteral("123:11");
    case TimeDisplayStyle::compact: break;
    }
    return QStringLiteral("1h1m");
}

} // namespace mewt
