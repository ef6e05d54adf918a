#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace mewt {

// A clock time as every view shows one: the locale's short time style, to the minute. Some short
// styles (the C locale's among them) carry seconds, which no time we show needs and which would
// tick through a line meant to stand still.
QString shortClockTime(const QTime& time, const QLocale& locale);

} // namespace mewt
