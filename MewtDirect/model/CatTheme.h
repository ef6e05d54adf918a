#pragma once

#include "model/ColorScheme.h"

#include <QColor>
#include <QString>
#include <variant>
#include <vector>

namespace mewt {

// The markings drawn on a cat's arm, with their colours.
struct CatArmPattern {
    struct Tuxedo {
        QColor mark;
        bool operator==(const Tuxedo&) const = default;
    };
    struct Tabby {
        QColor stripe;
        bool operator==(const Tabby&) const = default;
    };
    struct Calico {
        QColor dark;
        QColor orange;
        bool operator==(const Calico&) const = default;
    };
    struct Tortie {
        QColor orange;
        QColor brown;
        bool operator==(const Tortie&) const = default;
    };
    struct Siamese {
        QColor point;
        bool operator==(const Siamese&) const = default;
    };
    struct Cow {
        QColor spot;
        bool operator==(const Cow&) const = default;
    };

    enum class Kind { tuxedo, tabby, calico, tortie, siamese, cow };

    std::variant<Tuxedo, Tabby, Calico, Tortie, Siamese, Cow> markings;

    // The alternatives are declared in the order of `Kind`.
    Kind kind() const { return static_cast<Kind>(markings.index()); }
    template <typename Pattern> const Pattern* as() const { return std::get_if<Pattern>(&markings); }

    bool operator==(const CatArmPattern&) const = default;
};

// Colours for things drawn in the cat's own fur: the ending cue, the pull pill.
struct CatInteractionPalette {
    QColor fillColor;
    QColor textColor;
    QColor outlineColor;

    bool operator==(const CatInteractionPalette&) const = default;
};

// The popover's colours for one theme and appearance. Text colours are chosen against both
// surfaces, `innerColor` (the cards) and `outerColor` (the panel): foreground, secondary and accent
// text at least 4.5:1, the accent itself (bars, symbols) at least 3:1.
struct CatPopoverPalette {
    ColorScheme colorScheme = ColorScheme::light;
    QColor outerColor;
    QColor innerColor;
    QColor foregroundColor;
    QColor secondaryTextColor;
    QColor outlineColor;
    QColor accentColor;
    QColor accentTextColor;

    bool operator==(const CatPopoverPalette&) const = default;
};

// One of the built-in cats.
struct CatTheme {
    QString id;
    QString name;
    QString pawAssetName;
    QColor accentColor;
    QColor furColor;
    QColor edgeColor;
    CatArmPattern armPattern;

    // The eight themes, built once: tuxedo, orange tabby, calico, gray tabby, brown tabby, tortie,
    // siamese, black & white.
    static const std::vector<CatTheme>& all();
    // The tuxedo.
    static const CatTheme& defaultTheme();
    // The theme with that id, or the tuxedo when there is none.
    static const CatTheme& withId(const QString& id);

    CatInteractionPalette interactionPalette() const;
    CatPopoverPalette popoverPalette(ColorScheme colorScheme) const;

    // The colour of the paw that reaches for the fish in the ending cue: the white mark of a
    // tuxedo, the dark point of a siamese, the fur of everyone else.
    QColor pawFillColor() const;

    bool operator==(const CatTheme&) const = default;
};

} // namespace mewt
