#pragma once

#include <QPalette>

class QWidget;

namespace mewt {

class AppearanceMonitor;

// Our light and dark palettes for the Fusion style. Qt 6.4 has no colour-scheme switch, so windows
// that follow the desktop install one of these and swap it when the appearance monitor flips.
// `accent`, when given, is the highlight (selections, chosen segments, the row under the pointer),
// with black or white on it, whichever reads better.
QPalette optionsPalette(bool dark, const QColor& accent = QColor());

// The role secondary text is drawn in (explanations, units, captions). Widgets set it as their
// foreground role, so the colour follows a palette swap without any code of their own.
inline constexpr QPalette::ColorRole secondaryTextRole = QPalette::PlaceholderText;

// Hairlines between rows and around cards.
QColor separatorColor(const QPalette& palette);
// The fill of a grouped card (a section of settings) on the window background.
QColor cardColor(const QPalette& palette);
// The flat stand-in for a translucent material under tinted tiles.
QColor materialColor(const QPalette& palette);

// Puts the palette matching the monitor on the window now and on every change, hidden or not.
void followAppearance(QWidget& window, const AppearanceMonitor& monitor);

} // namespace mewt
