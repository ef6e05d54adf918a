#pragma once

#include "model/ColorScheme.h"

#include <QString>
#include <array>
#include <optional>

namespace mewt {

// Whether the popover follows the desktop's appearance or keeps one of its own.
enum class PopoverAppearance { system, light, dark };

inline constexpr std::array allPopoverAppearances
    = { PopoverAppearance::system, PopoverAppearance::light, PopoverAppearance::dark };

// The case name: what is stored and what the picker shows.
inline QString rawValue(PopoverAppearance appearance)
{
    switch (appearance) {
    case PopoverAppearance::light: return QStringLiteral("light");
    case PopoverAppearance::dark: return QStringLiteral("dark");
    case PopoverAppearance::system: break;
    }
    return QStringLiteral("system");
}

inline std::optional<PopoverAppearance> popoverAppearanceFromRawValue(const QString& raw)
{
    for (const PopoverAppearance appearance : allPopoverAppearances) {
        if (rawValue(appearance) == raw)
            return appearance;
    }
    return std::nullopt;
}

// The scheme the popover is drawn in, given the desktop's own.
inline ColorScheme resolvedColorScheme(PopoverAppearance appearance, ColorScheme systemScheme)
{
    switch (appearance) {
    case PopoverAppearance::light: return ColorScheme::light;
    case PopoverAppearance::dark: return ColorScheme::dark;
    case PopoverAppearance::system: break;
    }
    return systemScheme;
}

} // namespace mewt
