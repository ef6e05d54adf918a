#include "popover/PopoverMetrics.h"

#include <QFontDatabase>

namespace mewt {

QFont phaseTimeFont()
{
    return roundedFont(phaseTimePixelSize, QFont::DemiBold);
}

QFont roundedFont(int pixelSize, QFont::Weight weight)
{
    QFont font = pixelFont(pixelSize, weight);
    static const QString rounded = [] {
        for (const QString& family : { QStringLiteral("Quicksand"), QStringLiteral("Comfortaa") }) {
            if (QFontDatabase::hasFamily(family))
                return family;
        }
        return QString();
    }();
    if (!rounded.isEmpty())
        font.setFamily(rounded);
    return font;
}

} // namespace mewt
