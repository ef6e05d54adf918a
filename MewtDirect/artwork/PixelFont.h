#pragma once

#include <QFont>

namespace mewt {

// Every font is sized in device-independent pixels (a design point is one pixel), never in
// typographic points, which would grow with the screen's dots per inch.
inline QFont pixelFont(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace mewt
