#pragma once

#include "artwork/PixelFont.h"

#include <QColor>

namespace mewt {

// Sizes shared by the popover's views, in device-independent pixels.
inline constexpr int captionPixelSize = 10;
inline constexpr int phaseTimePixelSize = 32;
// The idle session name, the main line of the "mewt" and zen layouts.
inline constexpr int mainLinePixelSize = 26;
inline constexpr int toolbarButtonSize = 20;
inline constexpr int rowSpacing = 8;
inline constexpr int stackSpacing = 5;

inline QFont captionFont(QFont::Weight weight = QFont::Normal)
{
    return pixelFont(captionPixelSize, weight);
}

// A rounded family when one is installed, else the UI font.
QFont roundedFont(int pixelSize, QFont::Weight weight);
// The rounded digits of the phase time.
QFont phaseTimeFont();

inline QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

} // namespace mewt
