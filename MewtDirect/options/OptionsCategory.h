#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>

namespace mewt {

// The six pages of the options window, in sidebar order.
enum class OptionsCategory { general, appearance, timer, pulling, controls, sounds };

inline constexpr std::array allOptionsCategories = { OptionsCategory::general, OptionsCategory::appearance,
    OptionsCategory::timer, OptionsCategory::pulling, OptionsCategory::controls, OptionsCategory::sounds };

// The case name.
QString rawValue(OptionsCategory category);
std::optional<OptionsCategory> optionsCategoryFromRawValue(const QString& raw);

// What the sidebar, the titlebar and the search terms show ("timer & pomodoro").
QString title(OptionsCategory category);
// The sidebar row's accessibility hint.
QString subtitle(OptionsCategory category);
// The glyph drawn on the category's tile.
QString glyphName(OptionsCategory category);
// The tile's tint, opacity included.
QColor tileColor(OptionsCategory category);

} // namespace mewt
