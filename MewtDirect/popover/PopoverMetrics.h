#pragma once

#include "artwork/PixelFont.h"

#include <QColor>

namespace mewt {

// Sizes shared by the popover's views, in device-independent pixels.
inline constexpr int captionPixelSize = 10;
inline constexpr int phaseTimePixelSize = 32;
inline constexpr int toolbarButtonSize = 20;
inline constexpr int rowSpacing = 8;
inline constexpr int stackSpacing = 5;

inline QFont captionFont(QFont::Weight weight = QFont::Normal)
{
    return pixelFont(captionPixelSize, weight);
}

// The rounded digits of the phase time: a rounded family when one is installed, else the UI font.
QFont phaseTimeFont();

inline QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

} // namespace mewt
