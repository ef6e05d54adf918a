#include "popover/ZenProgressBar.h"

#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimerDisplayContent.h"

#include <QCoreApplication>
#include <QPainter>

namespace mewt {

namespace {
constexpr double trackOpacity = 0.18;
} // namespace

ZenProgressBar::ZenProgressBar(QWidget* parent)
    : QWidget(parent)
    , glide(*this, [this] { return devicePixelRatioF() * width(); })
{
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleRole(this, QAccessible::ProgressBar);
    setAccessibleName(QCoreApplication::translate("mewt", "timer progress"));
    updateAccessibleValue();
}

void ZenProgressBar::updateAccessibleValue()
{
    const PomodoroYarnProgress& current = glide.target();
    setPopoverAccessibleValue(this, yarnProgressValueText(QStringLiteral(" elapsed, "), current));
    setPopoverAccessibleNumber(this, current.fraction() * 100.0, 100.0);
}

void ZenProgressBar::setProgress(const PomodoroYarnProgress& progress)
{
    if (progress == glide.target())
        return;
    glide.retarget(progress);
    updateAccessibleValue();
}

void ZenProgressBar::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    glide.stop();
}

void ZenProgressBar::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    update();
}

double ZenProgressBar::fillWidth() const
{
    return width() * glide.shown().fraction();
}

QSize ZenProgressBar::sizeHint() const
{
    return { 200, height };
}

void ZenProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double radius = height / 2.0;
    painter.setBrush(withOpacity(colors.secondaryTextColor, trackOpacity));
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    if (fillWidth() > 0.0) {
        painter.setBrush(colors.accentColor);
        painter.drawRoundedRect(QRectF(0, 0, fillWidth(), height), radius, radius);
    }
}

} // namespace mewt
