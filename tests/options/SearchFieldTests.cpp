#include "options/OptionsNavigationModel.h"
#include "options/OptionsSearchField.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

class SearchField : public ::testing::Test {
protected:
    OptionsNavigationModel navigation { [] { return OptionsSettingsAvailability { 2 }; } };
    OptionsSearchField field { navigation };
    QSignalSpy writes { &navigation, &OptionsNavigationModel::searchTextChanged };

    // Whether the field's clear button shows, once its fade has run.
    bool clearButtonShows() const
    {
        const auto* clear = field.findChild<QAction*>(QStringLiteral("_q_qlineeditclearaction"));
        for (QObject* shown : clear ? clear->associatedObjects() : QObjectList()) {
            auto* button = qobject_cast<QWidget*>(shown);
            if (button && button != &field)
                return button->isVisibleTo(&field) && button->property("opacity").toReal() > 0;
        }
        return false;
    }

    QStringList written() const
    {
        QStringList texts;
        for (const QList<QVariant>& call : writes)
            texts.append(call.at(0).toString());
        return texts;
    }
};

TEST_F(SearchField, EveryEditWritesOnce)
{
    const struct {
        const char* name;
        std::function<void(QLineEdit&)> edit;
        QStringList expected;
    } cases[] = {
        { "typing", [](QLineEdit& f) { QTest::keyClicks(&f, "ab"); }, { "a", "ab" } },
        { "inner spaces kept", [](QLineEdit& f) { QTest::keyClicks(&f, " a  b"); },
            { " ", " a", " a ", " a  ", " a  b" } },
        { "backspace",
            [](QLineEdit& f) {
                QTest::keyClicks(&f, "ab");
                QTest::keyClick(&f, Qt::Key_Backspace);
            },
            { "a", "ab", "a" } },
        { "clear button",
            [](QLineEdit& f) {
                QTest::keyClicks(&f, "cat");
                // The clear button is the field's only child button.
                for (QWidget* button : f.findChildren<QWidget*>()) {
                    if (QLatin1String(button->metaObject()->className()) == QLatin1String("QLineEditIconButton"))
                        QTest::mouseClick(button, Qt::LeftButton);
                }
            },
            { "c", "ca", "cat", "" } },
    };
    for (const auto& c : cases) {
        navigation.updateSearchText({});
        field.setText({});
        writes.clear();
        c.edit(field);
        EXPECT_EQ(written(), c.expected) << c.name;
        EXPECT_EQ(navigation.searchText(), c.expected.last()) << c.name;
    }
}

TEST_F(SearchField, ModelChangesShowWithoutDisturbingTheCaret)
{
    QTest::keyClicks(&field, "cats");
    field.setCursorPosition(2);
    navigation.openSearchResult(OptionsSetting::appearanceCat); // search text unchanged
    field.sync();
    EXPECT_EQ(field.cursorPosition(), 2);

    field.show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return clearButtonShows(); }));
    writes.clear();
    navigation.navigate(OptionsCategory::sounds);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(written(), QStringList { "" }); // the model's own change, not written back by the field
    EXPECT_TRUE(QTest::qWaitFor([this] { return !clearButtonShows(); }, 2000)) << "the clear button goes with the text";
}

TEST_F(SearchField, LabelsFollowTheLanguage)
{
    EXPECT_EQ(field.placeholderText(), "Search");
    EXPECT_EQ(field.accessibleName(), "Search settings");
}

} // namespace
