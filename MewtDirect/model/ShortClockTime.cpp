#include "model/ShortClockTime.h"

namespace mewt {

namespace {

// The format without its seconds field and the separator before it; quoted text stays as it is.
QString withoutSeconds(const QString& format)
{
    QString kept;
    kept.reserve(format.size());
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u's') {
            kept += c;
            continue;
        }
        if (!kept.isEmpty() && kept.back().isPunct() && kept.back() != u'\'')
            kept.chop(1);
    }
    return kept;
}

} // namespace

QString shortClockTime(const QTime& time, const QLocale& locale)
{
    return locale.toString(time, withoutSeconds(locale.timeFormat(QLocale::ShortFormat)));
}

} // namespace mewt
