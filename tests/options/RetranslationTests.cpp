#include "options/OptionsNavigationModel.h"
#include "options/OptionsSearchEmptyState.h"
#include "options/OptionsSearchField.h"
#include "options/OptionsSearchResultRow.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

// Marks every text of our context, so a text that was not looked up again stands out.
class MarkingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QLatin1String(context) != QLatin1String("mewt"))
            return {};
        return QStringLiteral("«%1»").arg(QString::fromUtf8(source));
    }
};

// Keyed texts follow a language switched while the widgets are on screen; texts we did not write
// (the query, catalogue titles) are never run through the tables.
TEST(Retranslation, KeyedTextsFollowALanguageChange)
{
    OptionsNavigationModel navigation([] { return OptionsSettingsAvailability { 2 }; });
    OptionsSearchField field(navigation);
    OptionsSearchResultRow row(OptionsSetting::soundsEndingCue);
    OptionsSearchEmptyState empty;
    empty.setQuery("%2 <i>cats</i>");
    SettingsForm form;
    SettingsSection* section = form.addSection("sounds");

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();

    EXPECT_EQ(field.placeholderText(), "«Search»");
    EXPECT_EQ(field.accessibleName(), "«Search settings»");
    EXPECT_EQ(row.accessibleDescription(), "«Open ending cue in sounds & alerts»");
    EXPECT_EQ(row.accessibleName(), "ending cue");
    EXPECT_EQ(empty.headline(), "«No Results for “%2 <i>cats</i>”»");
    EXPECT_EQ(empty.accessibleDescription(), "«Check the spelling or try a new search.»");
    EXPECT_EQ(section->findChild<QLabel*>()->text(), "«sounds»");
    navigation.updateSearchText("zen");
    EXPECT_EQ(navigation.title(), "«search»");

    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    EXPECT_EQ(field.placeholderText(), "Search");
    EXPECT_EQ(empty.headline(), "No Results for “%2 <i>cats</i>”");
}

} // namespace
