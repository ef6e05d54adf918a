#include "cues/EndingCue.h"

#include "model/TimeDisplayStyle.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

constexpr double minimumContentWidth = 104;
// The room for fish and paw (30), three gaps of 4 between the pieces, the trailing spacer (6)
// and 4 to spare.
constexpr double contentPadding = 52;
constexpr double pointerOffset = 12;
constexpr double screenInset = 8;

EndingCueKind kindOf(PomodoroPhase phase)
{
    return phase == PomodoroPhase::focus ? EndingCueKind::focus : EndingCueKind::break_;
}

qint64 intervalSeconds(int intervalMinutes)
{
    return static_cast<qint64>(std::max(intervalMinutes, 1)) * 60;
}

} // namespace

EndingCueKind endingCueKind(const std::optional<PomodoroPlan>& plan)
{
    return plan ? kindOf(plan->phase) : EndingCueKind::timer;
}

std::optional<PomodoroOverdueCueContext> overdueCueContext(const std::optional<PomodoroPlan>& plan)
{
    if (!plan || plan->isPhaseRunning || !plan->phaseEndedAt)
        return std::nullopt;
    // A waiting plan names the phase to come: before a break, a focus phase has just ended.
    const EndingCueKind ended = plan->phase == PomodoroPhase::focus ? EndingCueKind::break_ : EndingCueKind::focus;
    return PomodoroOverdueCueContext { ended, *plan->phaseEndedAt };
}

QString endingCueTitle(EndingCueKind kind, qint64 remainingSeconds)
{
    const bool ended = remainingSeconds < 0;
    switch (kind) {
    case EndingCueKind::timer:
        return ended ? QCoreApplication::translate("mewt", "timer ended")
                     : QCoreApplication::translate("mewt", "timer ending in");
    case EndingCueKind::focus:
        return ended ? QCoreApplication::translate("mewt", "focus ended")
                     : QCoreApplication::translate("mewt", "focus ending in");
    case EndingCueKind::break_:
        return ended ? QCoreApplication::translate("mewt", "break ended")
                     : QCoreApplication::translate("mewt", "break ending in");
    }
    return {};
}

QString endingCueTimeText(qint64 remainingSeconds)
{
    // std::abs of the most negative value overflows; no real distance comes near it.
    const qint64 distance
        = remainingSeconds < 0 ? -std::max(remainingSeconds, -maximumFormattedSeconds) : remainingSeconds;
    return format(static_cast<double>(distance), TimeDisplayStyle::clock);
}

QFont endingCueFont()
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(10);
    font.setWeight(QFont::DemiBold);
    return font;
}

double endingCueTitleWidth(const QString& title)
{
    return QFontMetricsF(endingCueFont()).horizontalAdvance(title);
}

double endingCueTimeTextWidth(const QString& timeText)
{
    // Whole-pixel cells, as the rolling text measures them.
    const QFontMetrics metrics(endingCueFont());
    int widestDigit = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widestDigit = std::max(widestDigit, metrics.horizontalAdvance(QLatin1Char(digit)));
    int width = 0;
    for (qsizetype i = 0; i < timeText.size(); ++i) {
        const QChar character = timeText.at(i);
        width += character.isDigit() ? widestDigit : metrics.horizontalAdvance(character);
    }
    return width;
}

QSizeF endingCueContentSize(EndingCueKind kind, qint64 remainingSeconds)
{
    const double measured = endingCueTitleWidth(endingCueTitle(kind, remainingSeconds))
        + endingCueTimeTextWidth(endingCueTimeText(remainingSeconds)) + contentPadding;
    return { std::max(minimumContentWidth, std::ceil(measured)), endingCueContentHeight };
}

std::optional<QPointF> endingCuePanelOrigin(QPointF pointer, const QList<QRectF>& screenFrames, QSizeF panelSize)
{
    if (screenFrames.isEmpty())
        return std::nullopt;
    const auto holding = std::find_if(
        screenFrames.cbegin(), screenFrames.cend(), [pointer](const QRectF& frame) { return frame.contains(pointer); });
    const QRectF frame = holding != screenFrames.cend() ? *holding : screenFrames.front();
    const QRectF r = frame.adjusted(screenInset, screenInset, -screenInset, -screenInset);
    const double x = std::min(std::max(r.left(), pointer.x() + pointerOffset), r.right() - panelSize.width());
    const double y = std::max(std::min(pointer.y() + pointerOffset, r.bottom() - panelSize.height()), r.top());
    return QPointF(x, y);
}

qint64 overdueAlertIndex(qint64 elapsedSeconds, int intervalMinutes)
{
    return std::max<qint64>(elapsedSeconds, 0) / intervalSeconds(intervalMinutes);
}

Date nextOverdueAlertDate(Date phaseEndedAt, qint64 lastIndex, int intervalMinutes)
{
    const qint64 index = std::max<qint64>(lastIndex + 1, 1);
    return phaseEndedAt + std::chrono::seconds(index * intervalSeconds(intervalMinutes));
}

qint64 secondsUntil(Date deadline, Date now)
{
    return std::chrono::ceil<std::chrono::seconds>(deadline - now).count();
}

} // namespace mewt
