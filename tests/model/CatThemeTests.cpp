#include "model/CatTheme.h"
#include "model/ColorContrast.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const QColor black(Qt::black);
const QColor white(Qt::white);

TEST(ColorContrast, RatiosFollowRelativeLuminanceAndTheMonochromeCrossesOverMidGrey)
{
    EXPECT_DOUBLE_EQ(contrastRatio(black, white), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(white, black), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(QColor(0x33, 0x66, 0x99), QColor(0x33, 0x66, 0x99)), 1.0);
    // Published reference values: #777777 on white is 4.48:1, #767676 on white 4.54:1.
    EXPECT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), white), 4.48, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(0x76, 0x76, 0x76), white), 4.54, 0.01);
    EXPECT_NEAR(relativeLuminance(QColor(0xFF, 0, 0)), 0.2126, 1e-9);
    EXPECT_EQ(contrastingMonochromeColor(white), black);
    EXPECT_EQ(contrastingMonochromeColor(black), white);
    EXPECT_EQ(contrastingMonochromeColor(QColor(0x76, 0x76, 0x76)), black);
    EXPECT_EQ(contrastingMonochromeColor(QColor(0x75, 0x75, 0x75)), white);
}

TEST(ColorContrast, AColourIsBlendedByTwentiethsOnlyAsFarAsTheTargetNeeds)
{
    const QColor edge(0xC0, 0x90, 0x60);
    const QColor background(0xF0, 0xE0, 0xC8);
    int reached = -1;
    for (int step = 0; step <= 20 && reached < 0; ++step) {
        if (contrastRatio(blendedColor(edge, black, step / 20.0), background) >= 3.0)
            reached = step;
    }
    ASSERT_GT(reached, 0) << "the case must need some blending to mean anything";
    EXPECT_EQ(colorMeetingContrast(edge, background, 3.0, black), blendedColor(edge, black, reached / 20.0));
    // A colour that already meets it stays; a target out of reach gives the blend target itself.
    const QColor dark(0x20, 0x20, 0x20);
    EXPECT_EQ(colorMeetingContrast(dark, white, 4.5, black), dark);
    EXPECT_EQ(colorMeetingContrast(QColor(0x80, 0x80, 0x80), white, 30.0, black), black);
}

TEST(CatThemes, EightDistinctCatsFoundByIdWithTuxedoForAnyOther)
{
    QSet<QString> ids;
    for (const CatTheme& theme : CatTheme::all()) {
        ids << theme.id;
        EXPECT_EQ(&CatTheme::withId(theme.id), &theme);
        EXPECT_LT(relativeLuminance(theme.edgeColor), relativeLuminance(theme.furColor)) << theme.id.toStdString();
        // Things drawn in the fur stay legible.
        const CatInteractionPalette palette = theme.interactionPalette();
        EXPECT_EQ(palette.textColor, contrastingMonochromeColor(theme.furColor));
        EXPECT_GE(contrastRatio(palette.outlineColor, theme.furColor), 3.0) << theme.id.toStdString();
    }
    EXPECT_EQ(ids.size(), 8);
    EXPECT_EQ(CatTheme::withId(QStringLiteral("Tuxedo ")).id, QStringLiteral("tuxedo"));
}

TEST(CatThemes, PopoverTextStaysLegibleOnBothSurfacesOfEveryThemeAndScheme)
{
    for (const CatTheme& theme : CatTheme::all()) {
        for (const ColorScheme scheme : { ColorScheme::light, ColorScheme::dark }) {
            SCOPED_TRACE(theme.id.toStdString() + (scheme == ColorScheme::light ? " light" : " dark"));
            const CatPopoverPalette palette = theme.popoverPalette(scheme);
            EXPECT_EQ(palette.colorScheme, scheme);
            for (const QColor& surface : { palette.innerColor, palette.outerColor }) {
                EXPECT_GE(contrastRatio(palette.foregroundColor, surface), 4.5);
                EXPECT_GE(contrastRatio(palette.secondaryTextColor, surface), 4.5);
                EXPECT_GE(contrastRatio(palette.accentColor, surface), 3.0);
                EXPECT_GE(contrastRatio(palette.accentTextColor, surface), 4.5);
            }
            // Secondary text must still read as secondary, not as a copy of the foreground.
            EXPECT_NE(palette.secondaryTextColor, palette.foregroundColor);
            EXPECT_EQ(relativeLuminance(palette.innerColor) > 0.5, scheme == ColorScheme::light);
        }
    }
}

} // namespace
