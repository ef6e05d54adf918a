#pragma once

#include <QColor>

namespace mewt {

// Colours are opaque sRGB; alpha takes no part in luminance or contrast.

// WCAG relative luminance, 0 (black) to 1 (white).
double relativeLuminance(const QColor& color);

// (lighter luminance + 0.05) / (darker luminance + 0.05): 1 for equal colours, 21 for black on white.
double contrastRatio(const QColor& first, const QColor& second);

// `from` moved toward `to` by `fraction` (0 keeps `from`, 1 gives `to`), channel by channel in sRGB.
QColor blendedColor(const QColor& from, const QColor& to, double fraction);

// Black or white, whichever contrasts more with `color`; black on a tie.
QColor contrastingMonochromeColor(const QColor& color);

// The first of `color` blended toward `toward` by 0, 0.05, ..., 1 whose contrast against `background`
// reaches `targetRatio`; `toward` itself when none does.
QColor colorMeetingContrast(const QColor& color, const QColor& background, double targetRatio, const QColor& toward);

} // namespace mewt
