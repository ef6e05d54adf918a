#include "options/OptionsCategory.h"

namespace mewt {

namespace {

struct CategoryFacts {
    const char* raw;
    const char* title;
    const char* subtitle;
    const char* glyph;
    QRgb tile;
};

// Tiles are drawn at this opacity, so the material under them tints them a little.
constexpr int tileAlpha = 209; // 0.82

CategoryFacts facts(OptionsCategory category)
{
    switch (category) {
    case OptionsCategory::general: return { "general", "general", "app settings, updates, and help", "gear", 0x8e8e93 };
    case OptionsCategory::appearance:
        return { "appearance", "appearance", "cat and display style", "palette", 0xff9500 };
    case OptionsCategory::timer:
        return { "timer", "timer & pomodoro", "defaults for Timer and Pomodoro sessions", "timer", 0xff2d55 };
    case OptionsCategory::pulling:
        return { "pulling", "pulling", "how pulls turn into focus time", "hand-pull", 0xaf52de };
    case OptionsCategory::controls:
        return { "controls", "controls", "how controls appear, stay open, and start timers", "switches", 0x30b0c7 };
    case OptionsCategory::sounds:
        return { "sounds", "sounds & alerts", "sounds, ending cues, and notifications", "speaker", 0x007aff };
    }
    return facts(OptionsCategory::general);
}

} // namespace

QString rawValue(OptionsCategory category)
{
    return QString::fromLatin1(facts(category).raw);
}

std::optional<OptionsCategory> optionsCategoryFromRawValue(const QString& raw)
{
    for (const OptionsCategory category : allOptionsCategories) {
        if (rawValue(category) == raw)
            return category;
    }
    return std::nullopt;
}

QString title(OptionsCategory category)
{
    return QString::fromUtf8(facts(category).title);
}

QString subtitle(OptionsCategory category)
{
    return QString::fromUtf8(facts(category).subtitle);
}

QString glyphName(OptionsCategory category)
{
    return QString::fromLatin1(facts(category).glyph);
}

QColor tileColor(OptionsCategory category)
{
    QColor color = QColor::fromRgb(facts(category).tile);
    color.setAlpha(tileAlpha);
    return color;
}

} // namespace mewt
