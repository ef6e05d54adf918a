#include "popover/ClockTimeText.h"

#include <QStringList>
#include <charconv>

namespace mewt {

std::optional<qint64> parseWholeNumber(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    // from_chars takes a minus sign but no plus sign.
    if (bytes.startsWith('+')) {
        bytes.remove(0, 1);
        if (bytes.startsWith('-'))
            return std::nullopt;
    }
    qint64 value = 0;
    const char* end = bytes.constData() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.constData(), end, value, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

QString clockTimeText(TimerMode mode, int quickTimeMinutes, qint64 focusSeconds)
{
    const qint64 seconds = std::max<qint64>(mode == TimerMode::timer ? qint64(quickTimeMinutes) * 60 : focusSeconds, 0);
    return QString::asprintf("%02lld:%02lld", seconds / 60, seconds % 60);
}

std::optional<qint64> parseClockMinutes(const QString& text)
{
    const QStringList pieces = text.trimmed().split(QLatin1Char(':'), Qt::KeepEmptyParts);
    if (pieces.size() > 2)
        return std::nullopt;
    const std::optional<qint64> minutes = parseWholeNumber(pieces.front());
    if (!minutes || *minutes < 0)
        return std::nullopt;
    if (pieces.size() == 2) {
        const std::optional<qint64> seconds = parseWholeNumber(pieces.back());
        if (!seconds || *seconds != 0)
            return std::nullopt;
    }
    return minutes;
}

} // namespace mewt
