#include "options/TextStyle.h"

#include "artwork/PixelFont.h"

namespace mewt {

QFont textStyleFont(TextStyle style)
{
    switch (style) {
    case TextStyle::body: return pixelFont(13);
    case TextStyle::callout: return pixelFont(12);
    case TextStyle::subheadline: return pixelFont(11);
    case TextStyle::caption: return pixelFont(10);
    case TextStyle::headline: return pixelFont(13, QFont::DemiBold);
    case TextStyle::title3: return pixelFont(15);
    case TextStyle::title2: return pixelFont(17);
    }
    return pixelFont(13);
}

} // namespace mewt
