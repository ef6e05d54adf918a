#include "popover/InstructionsBlock.h"

#include "artwork/Glyph.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace mewt {

namespace {
constexpr int lineSpacing = 3;
constexpr int dividerHeight = 1;
constexpr int glyphSize = 10;
constexpr int glyphGap = 4;
constexpr double dividerOpacity = 0.25;
} // namespace

InstructionsBlock::InstructionsBlock(QWidget* parent)
    : QWidget(parent)
{
    setFont(captionFont());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleRole(this, QAccessible::StaticText);
}

void InstructionsBlock::setLines(const std::vector<InstructionLine>& lines)
{
    if (lines == shown)
        return;
    const bool resized = lines.size() != shown.size();
    shown = lines;
    QStringList texts;
    for (const InstructionLine& line : shown)
        texts << line.text;
    setAccessibleName(texts.join(QLatin1Char('\n')));
    if (resized)
        updateGeometry();
    update();
}

void InstructionsBlock::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    update();
}

QSize InstructionsBlock::sizeHint() const
{
    const int lineHeight = QFontMetrics(font()).height();
    const int count = static_cast<int>(shown.size());
    return { 200, dividerHeight + count * (lineSpacing + lineHeight) };
}

void InstructionsBlock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width(), dividerHeight), withOpacity(colors.secondaryTextColor, dividerOpacity));
    const QFontMetrics metrics(font());
    painter.setPen(colors.secondaryTextColor);
    int y = dividerHeight;
    for (const InstructionLine& line : shown) {
        y += lineSpacing;
        const QRectF glyphRect(0, y + (metrics.height() - glyphSize) / 2.0, glyphSize, glyphSize);
        Glyph::paint(painter, line.glyph, glyphRect, colors.secondaryTextColor);
        const int textLeft = glyphSize + glyphGap;
        const QString text = metrics.elidedText(line.text, Qt::ElideRight, width() - textLeft);
        painter.drawText(
            QRect(textLeft, y, width() - textLeft, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += metrics.height();
    }
}

} // namespace mewt
