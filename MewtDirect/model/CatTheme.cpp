#include "model/CatTheme.h"

#include "model/ColorContrast.h"

#include <algorithm>

namespace mewt {

namespace {

QColor rgb(unsigned value)
{
    return QColor(
        static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF));
}

CatTheme makeTheme(
    const QString& id, const QString& name, unsigned accent, unsigned fur, unsigned edge, CatArmPattern pattern)
{
    return CatTheme { id, name, QStringLiteral("paw-") + id, rgb(accent), rgb(fur), rgb(edge), std::move(pattern) };
}

std::vector<CatTheme> builtInThemes()
{
    using P = CatArmPattern;
    // Each cat gets its own accent hue (often its eye colour) so the eight are told apart at a
    // glance; fur and edge follow the real coat, the edge always darker than the fur.
    return {
        makeTheme(QStringLiteral("tuxedo"), QStringLiteral("tuxedo"), 0x7B66D9, 0x2E2C31, 0x151417,
            P { P::Tuxedo { rgb(0xF4F1EA) } }),
        makeTheme(QStringLiteral("orange-tabby"), QStringLiteral("orange tabby"), 0xE5892A, 0xF2A456, 0x9A5420,
            P { P::Tabby { rgb(0xC8692A) } }),
        makeTheme(QStringLiteral("calico"), QStringLiteral("calico"), 0xD65C7E, 0xF7F0E6, 0x7C5E48,
            P { P::Calico { rgb(0x35302C), rgb(0xE08A3C) } }),
        makeTheme(QStringLiteral("gray-tabby"), QStringLiteral("gray tabby"), 0x2F9AA3, 0xA3A6AD, 0x4F535A,
            P { P::Tabby { rgb(0x62666E) } }),
        makeTheme(QStringLiteral("brown-tabby"), QStringLiteral("brown tabby"), 0x7E9C3A, 0xA07650, 0x4A3322,
            P { P::Tabby { rgb(0x583C26) } }),
        makeTheme(QStringLiteral("tortie"), QStringLiteral("tortie"), 0xC9A227, 0x3F2E26, 0x1C130E,
            P { P::Tortie { rgb(0xD98636), rgb(0x7A4A28) } }),
        makeTheme(QStringLiteral("siamese"), QStringLiteral("siamese"), 0x3D87D8, 0xF0E4D0, 0x7A604C,
            P { P::Siamese { rgb(0x4E3A2E) } }),
        makeTheme(QStringLiteral("black-white"), QStringLiteral("black & white"), 0x3BAA82, 0xF6F4F0, 0x2A2A2D,
            P { P::Cow { rgb(0x1E1E21) } }),
    };
}

// Moves a text colour toward `toward` until it reaches `target` against both surfaces it is drawn on.
// Both surfaces lie on the far side from `toward`, so the second pass never undoes the first.
QColor legibleOn(const QColor& color, const QColor& inner, const QColor& outer, double target, const QColor& toward)
{
    return colorMeetingContrast(colorMeetingContrast(color, inner, target, toward), outer, target, toward);
}

} // namespace

const std::vector<CatTheme>& CatTheme::all()
{
    static const std::vector<CatTheme> themes = builtInThemes();
    return themes;
}

const CatTheme& CatTheme::defaultTheme()
{
    return all().front();
}

const CatTheme& CatTheme::withId(const QString& id)
{
    const auto& themes = all();
    const auto it = std::find_if(themes.begin(), themes.end(), [&](const CatTheme& theme) { return theme.id == id; });
    return it != themes.end() ? *it : defaultTheme();
}

CatInteractionPalette CatTheme::interactionPalette() const
{
    const QColor text = contrastingMonochromeColor(furColor);
    return CatInteractionPalette { furColor, text, colorMeetingContrast(edgeColor, furColor, 3.0, text) };
}

CatPopoverPalette CatTheme::popoverPalette(ColorScheme colorScheme) const
{
    // Neutral warm surfaces with a breath of the theme's accent, so every cat tints its popover a
    // little differently; text is then pushed toward black or white until it reads well.
    const bool light = colorScheme == ColorScheme::light;
    const QColor extreme = light ? QColor(Qt::black) : QColor(Qt::white);

    CatPopoverPalette palette;
    palette.colorScheme = colorScheme;
    palette.outerColor = blendedColor(rgb(light ? 0xF3F0EB : 0x1C1B1A), accentColor, 0.10);
    palette.innerColor = blendedColor(rgb(light ? 0xFFFDFB : 0x2A2827), accentColor, light ? 0.04 : 0.08);

    const QColor ink
        = light ? blendedColor(rgb(0x22201E), edgeColor, 0.25) : blendedColor(rgb(0xF4F1EC), furColor, 0.08);
    palette.foregroundColor = legibleOn(ink, palette.innerColor, palette.outerColor, 4.5, extreme);
    // Secondary text is mostly captions, so it is held to the body-text ratio as well; the lighter
    // start keeps it visibly quieter than the foreground.
    palette.secondaryTextColor = legibleOn(blendedColor(palette.foregroundColor, palette.innerColor, 0.5),
        palette.innerColor, palette.outerColor, 4.5, extreme);
    palette.outlineColor = blendedColor(palette.innerColor, palette.foregroundColor, 0.16);
    palette.accentColor = legibleOn(accentColor, palette.innerColor, palette.outerColor, 3.0, extreme);
    palette.accentTextColor = legibleOn(accentColor, palette.innerColor, palette.outerColor, 4.5, extreme);
    return palette;
}

QColor CatTheme::pawFillColor() const
{
    if (const auto* tuxedo = armPattern.as<CatArmPattern::Tuxedo>())
        return tuxedo->mark;
    if (const auto* siamese = armPattern.as<CatArmPattern::Siamese>())
        return siamese->point;
    return furColor;
}

} // namespace mewt
