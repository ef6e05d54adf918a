#include "popover/TimerPopoverBackgroundView.h"

#include "model/PopoverAppearanceStore.h"
#include "model/ThemeStore.h"

#include <QPainter>

namespace mewt {

TimerPopoverBackgroundView::TimerPopoverBackgroundView(
    ThemeStore& themeStore, PopoverAppearanceStore& appearanceStore, QWidget* parent)
    : QWidget(parent)
    , themeStore(themeStore)
    , appearanceStore(appearanceStore)
{
    const auto repaint = [this] { update(); };
    connect(&themeStore, &ThemeStore::selectedChanged, this, repaint);
    connect(&appearanceStore, &PopoverAppearanceStore::selectedChanged, this, repaint);
}

void TimerPopoverBackgroundView::setSystemColorScheme(ColorScheme scheme)
{
    if (scheme == systemScheme)
        return;
    systemScheme = scheme;
    update();
}

QColor TimerPopoverBackgroundView::fillColor() const
{
    const ColorScheme scheme = resolvedColorScheme(appearanceStore.selected(), systemScheme);
    return themeStore.selected().popoverPalette(scheme).outerColor;
}

void TimerPopoverBackgroundView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fillColor());
    painter.drawRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
}

} // namespace mewt
