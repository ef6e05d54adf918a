#include "options/CatBedGridPicker.h"

#include "artwork/CatBedSprite.h"
#include "model/CatBed.h"
#include "options/OptionsSetting.h"
#include "options/PickerTile.h"
#include "options/TextStyle.h"

#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

constexpr qreal cornerRadius = 7;
constexpr int selectedFillAlpha = 36; // 0.14
constexpr int fillAlpha = 9; // 0.035
constexpr int borderAlpha = 31; // 0.12
constexpr qreal selectedBorderWidth = 2;
constexpr qreal borderWidth = 1;
constexpr int minimumColumnWidth = 10;

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

class CatBedTile final : public PickerTile {
public:
    CatBedTile(const CatBed& bed, QWidget* parent)
        : PickerTile(bed.id, bed.name, parent)
        , spriteIndex(bed.spriteIndex)
    {
        setFont(textStyleFont(TextStyle::caption));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const int padding = 2 * CatBedGridPicker::cellPadding;
        return { catBedSpriteWidth + padding,
            CatBedGridPicker::pictureHeight + CatBedGridPicker::nameGap + fontMetrics().height() + padding };
    }
    QSize minimumSizeHint() const override { return { minimumColumnWidth, sizeHint().height() }; }

protected:
    void paintTile(QPainter& painter) override
    {
        const QColor primary = palette().color(QPalette::WindowText);
        const qreal border = isSelected() ? selectedBorderWidth : borderWidth;
        // Stroked inside its edge, so the border never reaches into the grid's gaps.
        const QRectF edge = QRectF(rect()).adjusted(border / 2, border / 2, -border / 2, -border / 2);
        QPainterPath shape;
        shape.addRoundedRect(edge, cornerRadius, cornerRadius);
        painter.fillPath(
            shape, isSelected() ? withAlpha(accentColor(), selectedFillAlpha) : withAlpha(primary, fillAlpha));
        painter.setPen(QPen(isSelected() ? accentColor() : withAlpha(primary, borderAlpha), border, Qt::SolidLine,
            Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(shape);

        const QRectF content = QRectF(rect()).adjusted(CatBedGridPicker::cellPadding, CatBedGridPicker::cellPadding,
            -CatBedGridPicker::cellPadding, -CatBedGridPicker::cellPadding);
        paintCatBed(painter, QRectF(content.left(), content.top(), content.width(), CatBedGridPicker::pictureHeight),
            spriteIndex);
        const QRectF nameRect(content.left(),
            content.top() + CatBedGridPicker::pictureHeight + CatBedGridPicker::nameGap, content.width(),
            fontMetrics().height());
        painter.setPen(primary);
        painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
            fontMetrics().elidedText(name(), Qt::ElideRight, int(nameRect.width())));
    }

private:
    int spriteIndex;
};

} // namespace

CatBedGridPicker::CatBedGridPicker(QWidget* parent)
    : TilePicker(columnCount, parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(gridSpacing);
    int index = 0;
    for (const CatBed& bed : CatBed::all()) {
        auto* tile = new CatBedTile(bed, this);
        addTile(tile);
        grid->addWidget(tile, index / columnCount, index % columnCount);
        ++index;
    }
    for (int column = 0; column < columnCount; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, minimumColumnWidth);
    }
    // The catalogue's own word, verbatim like the row's label above the grid.
    setAccessibleName(definition(OptionsSetting::appearanceBed).controlTitle);
}

} // namespace mewt
