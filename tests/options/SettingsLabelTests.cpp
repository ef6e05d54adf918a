#include "artwork/Glyph.h"
#include "options/OptionsCategory.h"
#include "options/SettingsLabel.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

int heightAt(SettingsLabel& label, int width)
{
    return label.hasHeightForWidth() ? label.heightForWidth(width) : label.sizeHint().height();
}

// The label reserves a second line only for an explanation that is there, and wraps long texts
// rather than cutting them.
TEST(SettingsLabelLayout, HeightFollowsWhatIsShown)
{
    SettingsLabel titleOnly("zen mode", std::nullopt);
    SettingsLabel emptyDescription("zen mode", QString());
    SettingsLabel described("zen mode", QString("shows only essential timer controls"));
    const QString longText = QString("hides controls after 2.5 seconds or when you click elsewhere ").repeated(3);
    SettingsLabel wrapped("auto-dismiss controls", longText);

    const int width = 240;
    const int titleHeight = titleOnly.findChild<QLabel*>()->heightForWidth(width);
    EXPECT_EQ(heightAt(titleOnly, width), titleHeight);
    EXPECT_GE(heightAt(emptyDescription, width), titleHeight + SettingsLabel::lineGap);
    EXPECT_GT(heightAt(described, width), titleHeight + SettingsLabel::lineGap);
    EXPECT_GT(heightAt(wrapped, width), 2 * heightAt(described, width) - titleHeight);
    EXPECT_EQ(titleOnly.description(), std::nullopt);
    EXPECT_EQ(emptyDescription.description(), QString());

    wrapped.setTexts("auto-dismiss controls", std::nullopt);
    EXPECT_EQ(heightAt(wrapped, width), wrapped.findChild<QLabel*>()->heightForWidth(width));
}

// A category without its glyph in the resources would show an empty tile.
TEST(CategoryGlyphs, EveryCategoryAndTheSearchHaveTheirGlyph)
{
    for (const OptionsCategory category : allOptionsCategories)
        EXPECT_TRUE(Glyph::exists(glyphName(category))) << glyphName(category).toStdString();
    EXPECT_TRUE(Glyph::exists("magnifier"));
}

} // namespace
