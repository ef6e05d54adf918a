#include "CatTheme.h"
#include "ColorContrast.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const QColor black(Qt::black);
const QColor white(Qt::white);

TEST(ContrastRatio, FollowsRelativeLuminance)
{
    EXPECT_DOUBLE_EQ(contrastRatio(black, white), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(white, black), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(QColor(0x33, 0x66, 0x99), QColor(0x33, 0x66, 0x99)), 1.0);
    // Published reference values: #777777 on white is 4.48:1, #767676 on white 4.54:1.
    EXPECT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), white), 4.48, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(0x76, 0x76, 0x76), white), 4.54, 0.01);
    EXPECT_NEAR(relativeLuminance(QColor(0xFF, 0, 0)), 0.2126, 1e-9);
}

TEST(ContrastingMonochrome, PicksTheMoreLegibleExtremeAroundTheMiddle)
{
    EXPECT_EQ(contrastingMonochromeColor(white), black);
    EXPECT_EQ(contrastingMonochromeColor(black), white);
    // The crossover lies between these two greys.
    EXPECT_EQ(contrastingMonochromeColor(QColor(0x76, 0x76, 0x76)), black);
    EXPECT_EQ(contrastingMonochromeColor(QColor(0x75, 0x75, 0x75)), white);
}

TEST(ColorMeetingContrast, ReturnsTheFirstTwentiethThatReachesTheTarget)
{
    const QColor edge(0xC0, 0x90, 0x60);
    const QColor background(0xF0, 0xE0, 0xC8);
    const QColor result = colorMeetingContrast(edge, background, 3.0, black);

    int reached = -1;
    for (int step = 0; step <= 20 && reached < 0; ++step) {
        if (contrastRatio(blendedColor(edge, black, step / 20.0), background) >= 3.0)
            reached = step;
    }
    ASSERT_GT(reached, 0) << "the case must need some blending to mean anything";
    EXPECT_EQ(result, blendedColor(edge, black, reached / 20.0));
    EXPECT_GE(contrastRatio(result, background), 3.0);
}

TEST(ColorMeetingContrast, KeepsAColourThatAlreadyMeetsItAndFallsBackToTheTarget)
{
    const QColor dark(0x20, 0x20, 0x20);
    EXPECT_EQ(colorMeetingContrast(dark, white, 4.5, black), dark);
    EXPECT_EQ(colorMeetingContrast(QColor(0x80, 0x80, 0x80), white, 30.0, black), black);
}

TEST(CatThemes, EightDistinctCatsInTheirOrderWithTuxedoAsDefault)
{
    QStringList names;
    QSet<QString> ids;
    QSet<QRgb> furs;
    QSet<QRgb> accents;
    for (const CatTheme& theme : CatTheme::all()) {
        names << theme.name;
        ids << theme.id;
        furs << theme.furColor.rgb();
        accents << theme.accentColor.rgb();
        EXPECT_EQ(theme.pawAssetName, QStringLiteral("paw-") + theme.id);
        EXPECT_LT(relativeLuminance(theme.edgeColor), relativeLuminance(theme.furColor)) << theme.id.toStdString();
        EXPECT_EQ(&CatTheme::withId(theme.id), &theme);
    }
    EXPECT_EQ(names,
        (QStringList {
            "tuxedo", "orange tabby", "calico", "gray tabby", "brown tabby", "tortie", "siamese", "black & white" }));
    EXPECT_EQ(ids.size(), 8);
    EXPECT_EQ(furs.size(), 8);
    EXPECT_EQ(accents.size(), 8);
    EXPECT_EQ(CatTheme::defaultTheme().id, QStringLiteral("tuxedo"));
    EXPECT_EQ(CatTheme::withId(QStringLiteral("Tuxedo ")).id, QStringLiteral("tuxedo"));
}

TEST(CatThemes, ArmPatternsFitTheirCatsAndTheCuePawTakesTheRightColour)
{
    using Kind = CatArmPattern::Kind;
    std::vector<Kind> kinds;
    for (const CatTheme& theme : CatTheme::all())
        kinds.push_back(theme.armPattern.kind());
    EXPECT_EQ(kinds,
        (std::vector<Kind> { Kind::tuxedo, Kind::tabby, Kind::calico, Kind::tabby, Kind::tabby, Kind::tortie,
            Kind::siamese, Kind::cow }));

    const CatTheme& tuxedo = CatTheme::withId(QStringLiteral("tuxedo"));
    const CatTheme& siamese = CatTheme::withId(QStringLiteral("siamese"));
    const CatTheme& calico = CatTheme::withId(QStringLiteral("calico"));
    EXPECT_EQ(tuxedo.pawFillColor(), tuxedo.armPattern.as<CatArmPattern::Tuxedo>()->mark);
    EXPECT_EQ(siamese.pawFillColor(), siamese.armPattern.as<CatArmPattern::Siamese>()->point);
    EXPECT_EQ(calico.pawFillColor(), calico.furColor);
    EXPECT_NE(tuxedo.pawFillColor(), tuxedo.furColor);
}

TEST(CatThemes, InteractionPaletteInksTheFurAndOutlinesItLegibly)
{
    for (const CatTheme& theme : CatTheme::all()) {
        const CatInteractionPalette palette = theme.interactionPalette();
        EXPECT_EQ(palette.fillColor, theme.furColor);
        EXPECT_EQ(palette.textColor, contrastingMonochromeColor(theme.furColor));
        EXPECT_GE(contrastRatio(palette.outlineColor, theme.furColor), 3.0) << theme.id.toStdString();
    }
}

class PopoverPalettes : public ::testing::TestWithParam<std::tuple<int, ColorScheme>> { };

TEST_P(PopoverPalettes, TextStaysLegibleOnBothSurfaces)
{
    const auto [index, scheme] = GetParam();
    const CatTheme& theme = CatTheme::all().at(static_cast<size_t>(index));
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
    const bool light = scheme == ColorScheme::light;
    EXPECT_EQ(relativeLuminance(palette.innerColor) > 0.5, light);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, PopoverPalettes,
    ::testing::Combine(::testing::Range(0, 8), ::testing::Values(ColorScheme::light, ColorScheme::dark)),
    [](const auto& info) {
        QString id = CatTheme::all().at(static_cast<size_t>(std::get<0>(info.param))).id;
        id.replace(QLatin1Char('-'), QLatin1Char('_'));
        return id.toStdString() + (std::get<1>(info.param) == ColorScheme::light ? "_light" : "_dark");
    });

} // namespace
