#include "popover/MenuRowStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace mewt {

namespace {
constexpr int markSize = 12;
constexpr int markTrailingInset = 8;
constexpr qreal markStroke = 1.8;

void drawCheckMark(QPainter& painter, const QRectF& box, const QColor& color)
{
    QPainterPath check;
    check.moveTo(box.left() + box.width() * 0.12, box.top() + box.height() * 0.55);
    check.lineTo(box.left() + box.width() * 0.40, box.top() + box.height() * 0.82);
    check.lineTo(box.left() + box.width() * 0.90, box.top() + box.height() * 0.20);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, markStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(check);
    painter.restore();
}
} // namespace

MenuRowStyle::MenuRowStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

QRect MenuRowStyle::markRect(const QRect& row)
{
    return { row.right() + 1 - markTrailingInset - markSize, row.center().y() - markSize / 2 + 1, markSize, markSize };
}

void MenuRowStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->checkType == QStyleOptionMenuItem::NotCheckable) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionMenuItem plain(*item);
    plain.checkType = QStyleOptionMenuItem::NotCheckable;
    plain.checked = false;
    QProxyStyle::drawControl(element, &plain, painter, widget);
    if (!item->checked)
        return;
    const bool selected = item->state & State_Selected && item->state & State_Enabled;
    const QPalette::ColorGroup group = item->state & State_Enabled ? QPalette::Normal : QPalette::Disabled;
    // The accent marks what is on; on the accent itself the highlighted text colour does.
    const QColor ink = item->palette.color(
        group, selected ? QPalette::HighlightedText : (group == QPalette::Normal ? QPalette::Link : QPalette::Text));
    drawCheckMark(*painter, markRect(item->rect), ink);
}

QSize MenuRowStyle::sizeFromContents(
    ContentsType type, const QStyleOption* option, const QSize& size, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item || item->checkType == QStyleOptionMenuItem::NotCheckable)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    QStyleOptionMenuItem plain(*item);
    plain.checkType = QStyleOptionMenuItem::NotCheckable;
    const QSize base = QProxyStyle::sizeFromContents(type, &plain, size, widget);
    return { base.width() + markColumnWidth, base.height() };
}

} // namespace mewt
