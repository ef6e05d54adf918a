#include "popover/PopoverMetrics.h"

#include <QFontDatabase>

namespace mewt {

QFont phaseTimeFont()
{
    QFont font = pixelFont(phaseTimePixelSize, QFont::DemiBold);
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
