#include "options/CatThemePicker.h"

#include "artwork/PawArtwork.h"
#include "model/CatTheme.h"
#include "options/PickerTile.h"
#include "options/TileBackground.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

constexpr qreal pawInset = 3;
constexpr qreal cornerRadius = 7;
constexpr int tintAlpha = 61; // 0.24
constexpr qreal outlineWidth = 1.5;
constexpr qreal badgeDiameter = 10;
constexpr qreal checkWidth = 1.6;

// The check badge: a disc in the accent colour with a white tick.
void paintCheckBadge(QPainter& painter, const QRectF& disc, const QColor& accent)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawEllipse(disc);
    QPainterPath tick;
    const qreal s = disc.width();
    tick.moveTo(disc.left() + 0.28 * s, disc.top() + 0.52 * s);
    tick.lineTo(disc.left() + 0.44 * s, disc.top() + 0.68 * s);
    tick.lineTo(disc.left() + 0.73 * s, disc.top() + 0.34 * s);
    painter.setPen(QPen(Qt::white, checkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
}

class CatThemeTile final : public PickerTile {
public:
    CatThemeTile(const CatTheme& theme, QWidget* parent)
        : PickerTile(theme.id, theme.name, parent)
        , theme(theme)
    {
        setFixedSize(CatThemePicker::itemWidth, CatThemePicker::itemHeight);
    }

protected:
    void paintTile(QPainter& painter) override
    {
        const QRectF tile = rect();
        QPainterPath shape;
        shape.addRoundedRect(tile.adjusted(outlineWidth / 2, outlineWidth / 2, -outlineWidth / 2, -outlineWidth / 2),
            cornerRadius, cornerRadius);
        if (isSelected()) {
            QColor tint = accentColor();
            tint.setAlpha(tintAlpha);
            paintTileBackground(painter, shape, tint, palette());
            painter.setPen(QPen(accentColor(), outlineWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(shape);
        }
        // The paw is drawn square; it is fitted into the inset frame, aspect kept.
        const QRectF frame = tile.adjusted(pawInset, pawInset, -pawInset, -pawInset);
        const qreal side = std::min(frame.width(), frame.height());
        paintFrontPaw(painter, QRectF(frame.center() - QPointF(side / 2, side / 2), QSizeF(side, side)), theme);
        if (isSelected()) {
            const qreal x = isRightToLeft() ? tile.left() : tile.right() - badgeDiameter;
            paintCheckBadge(
                painter, QRectF(x, tile.bottom() - badgeDiameter, badgeDiameter, badgeDiameter), accentColor());
        }
    }

private:
    CatTheme theme;
};

} // namespace

CatThemePicker::CatThemePicker(QWidget* parent)
    : TilePicker(int(CatTheme::all().size()), parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(itemSpacing);
    for (const CatTheme& theme : CatTheme::all()) {
        auto* tile = new CatThemeTile(theme, this);
        addTile(tile);
        row->addWidget(tile, 0, Qt::AlignVCenter);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    retranslate();
}

void CatThemePicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    TilePicker::changeEvent(event);
}

void CatThemePicker::retranslate()
{
    setAccessibleName(QCoreApplication::translate("mewt", "cat"));
}

} // namespace mewt
