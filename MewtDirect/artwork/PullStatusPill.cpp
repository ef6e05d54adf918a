#include "artwork/PullStatusPill.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

const CatInteractionPalette cancelPalette { QColor(0xE0, 0x4E, 0x47), QColor(Qt::white), QColor(0xA8, 0x32, 0x2C) };

// The capsule's outline runs along its middle, half a pixel inside the widget; the bottom pixel
// row is left to the drop.
QRectF capsuleRect(const QRect& bounds)
{
    return QRectF(bounds).adjusted(0.5, 0.5, -0.5, -1.5);
}

} // namespace

PullStatusPill::PullStatusPill(const CatInteractionPalette& palette, bool isCancel, QWidget* content, QWidget* parent)
    : QWidget(parent)
    , colors(palette)
    , cancel(isCancel)
    , hosted(content)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QHBoxLayout(this);
    // One extra pixel below leaves room for the soft drop under the capsule.
    layout->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding + 1);
    layout->setSpacing(0);
    if (content)
        layout->addWidget(content, 0, Qt::AlignCenter);
    applyTextColor();
}

CatInteractionPalette PullStatusPill::effectivePalette() const
{
    return cancel ? cancelPalette : colors;
}

void PullStatusPill::setInteractionPalette(const CatInteractionPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    applyTextColor();
    update();
}

void PullStatusPill::setCancel(bool isCancel)
{
    if (isCancel == cancel)
        return;
    cancel = isCancel;
    applyTextColor();
    update();
}

QPainterPath PullStatusPill::capsuleShape() const
{
    const QRectF outer = capsuleRect(rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
    QPainterPath path;
    path.addRoundedRect(outer, outer.height() / 2.0, outer.height() / 2.0);
    return path;
}

void PullStatusPill::applyTextColor()
{
    if (!hosted)
        return;
    QPalette palette = hosted->palette();
    const QColor text = effectivePalette().textColor;
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    hosted->setPalette(palette);
}

void PullStatusPill::paintEvent(QPaintEvent*)
{
    const CatInteractionPalette palette = effectivePalette();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule = capsuleRect(rect());
    const double radius = capsule.height() / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 46));
    painter.drawRoundedRect(capsule.translated(0.0, 1.0), radius, radius);
    painter.setBrush(palette.fillColor);
    painter.setPen(QPen(palette.outlineColor, 1.0));
    painter.drawRoundedRect(capsule, radius, radius);
}

} // namespace mewt
