#include "popover/PopoverTitle.h"

#include "artwork/Glyph.h"
#include "artwork/PixelFont.h"
#include "popover/PopoverAccessibility.h"

#include <QPainter>

namespace mewt {

namespace {
constexpr int titleGap = 6;
constexpr int pawSize = 14;
// The paw sits a little low beside the lower-case title.
constexpr int pawDrop = 1;
constexpr int subheadlinePixelSize = 11;
} // namespace

PopoverTitle::PopoverTitle(QWidget* parent)
    : QWidget(parent)
{
    setFont(pixelFont(subheadlinePixelSize, QFont::DemiBold));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("mewt"));
    setAccessibleRole(this, QAccessible::StaticText);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PopoverTitle::setAccent(const QColor& color)
{
    if (color == accent)
        return;
    accent = color;
    update();
}

QSize PopoverTitle::sizeHint() const
{
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("mewt"));
    return { pawSize + titleGap + text, std::max(pawSize + pawDrop, fontMetrics().height()) };
}

void PopoverTitle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal top = (height() - pawSize) / 2.0 + pawDrop;
    Glyph::paint(painter, QStringLiteral("menu-paw"), QRectF(0, top, pawSize, pawSize), accent);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(pawSize + titleGap, 0, width() - pawSize - titleGap, height()), Qt::AlignVCenter,
        QStringLiteral("mewt"));
}

} // namespace mewt
