#include "model/CatBed.h"
#include "model/CatTheme.h"
#include "options/CatBedGridPicker.h"
#include "options/CatThemePicker.h"
#include "options/PickerTile.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

namespace {

std::unique_ptr<TilePicker> makePicker(bool beds)
{
    if (beds)
        return std::make_unique<CatBedGridPicker>();
    return std::make_unique<CatThemePicker>();
}

QStringList modelNames(bool beds)
{
    QStringList names;
    if (beds) {
        for (const CatBed& bed : CatBed::all())
            names << bed.name;
    } else {
        for (const CatTheme& theme : CatTheme::all())
            names << theme.name;
    }
    return names;
}

// Both pickers, told apart by the parameter: false for the cats, true for the beds.
class PickerSelection : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        picker = makePicker(GetParam());
        picker->show();
    }
    QStringList selectedNames() const
    {
        QStringList names;
        for (PickerTile* tile : picker->tiles()) {
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(tile);
            const bool checked = node->state().checked;
            const QString value = node->text(QAccessible::Value);
            EXPECT_EQ(checked, tile->isSelected()) << tile->name().toStdString();
            EXPECT_EQ(value, checked ? "selected" : "") << tile->name().toStdString();
            if (checked)
                names << node->text(QAccessible::Name);
        }
        return names;
    }
    std::unique_ptr<TilePicker> picker;
};

// Each tile is a radio button named after its choice, in the model's order, in one named group.
TEST_P(PickerSelection, TilesAreNamedRadioButtonsInModelOrder)
{
    QStringList names;
    for (PickerTile* tile : picker->tiles()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(tile);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->role(), QAccessible::RadioButton);
        EXPECT_TRUE(node->state().checkable);
        EXPECT_TRUE(node->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        names << node->text(QAccessible::Name);
    }
    EXPECT_EQ(names, modelNames(GetParam()));
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(picker.get());
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), GetParam() ? "bed" : "cat");
}

// Exactly one tile is chosen for a known id, none for an id that belongs to no choice, and the
// chosen tile is the group's only Tab stop.
TEST_P(PickerSelection, ShowsTheBoundIdOnly)
{
    const PickerTile* last = picker->tiles().last();
    picker->setSelection(last->id());
    EXPECT_EQ(selectedNames(), QStringList { last->name() });
    for (PickerTile* tile : picker->tiles())
        EXPECT_EQ(tile->focusPolicy() == Qt::StrongFocus, tile == last) << tile->name().toStdString();

    picker->setSelection("no-such-choice");
    EXPECT_TRUE(selectedNames().isEmpty());
    EXPECT_EQ(picker->tiles().first()->focusPolicy(), Qt::StrongFocus);
}

// A click reports the tile's id, also for the tile already chosen; the picker does not choose by
// itself (the store decides).
TEST_P(PickerSelection, ClicksReportTheirIdAndLeaveTheSelectionToTheStore)
{
    const PickerTile* first = picker->tiles().first();
    picker->setSelection(first->id());
    QSignalSpy chosen(picker.get(), &TilePicker::chosen);
    QTest::mouseClick(picker->tiles().at(2), Qt::LeftButton);
    QTest::mouseClick(picker->tiles().first(), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toString(), picker->tiles().at(2)->id());
    EXPECT_EQ(chosen.at(1).at(0).toString(), first->id());
    EXPECT_EQ(picker->selection(), first->id());
}

INSTANTIATE_TEST_SUITE_P(Pickers, PickerSelection, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Beds" : "Cats"); });

struct KeyMove {
    const char* name;
    bool beds;
    const char* from;
    Qt::Key key;
    const char* to; // null: the key does nothing
};

class KeyMoves : public ::testing::TestWithParam<KeyMove> { };

// Arrows move to the neighbour and choose it (rows of four beds, one row of cats); at an edge
// nothing happens, so a held key never wraps round.
TEST_P(KeyMoves, MoveFocusAndChooseTheNeighbour)
{
    const KeyMove& c = GetParam();
    std::unique_ptr<TilePicker> picker = makePicker(c.beds);
    picker->show();
    QApplication::setActiveWindow(picker.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker.get()));
    picker->setSelection(c.from);
    picker->tile(c.from)->setFocus(Qt::TabFocusReason);
    QSignalSpy chosen(picker.get(), &TilePicker::chosen);
    QTest::keyClick(picker->tile(c.from), c.key);
    if (c.to == nullptr) {
        EXPECT_EQ(chosen.count(), 0);
        return;
    }
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), c.to);
    EXPECT_TRUE(picker->tile(c.to)->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMoves,
    ::testing::Values(KeyMove { "BedRight", true, "sofa", Qt::Key_Right, "basket" },
        KeyMove { "BedRightAtRowEndReadsOn", true, "lounger", Qt::Key_Right, "classic" },
        KeyMove { "BedDown", true, "basket", Qt::Key_Down, "donut" },
        KeyMove { "BedUp", true, "classic", Qt::Key_Up, "sofa" },
        KeyMove { "BedUpOnTopRow", true, "cloud", Qt::Key_Up, nullptr },
        KeyMove { "BedDownOnBottomRow", true, "nest", Qt::Key_Down, nullptr },
        KeyMove { "BedLeftAtFirst", true, "sofa", Qt::Key_Left, nullptr },
        KeyMove { "BedEnd", true, "basket", Qt::Key_End, "nest" },
        KeyMove { "CatLeft", false, "calico", Qt::Key_Left, "orange-tabby" },
        KeyMove { "CatRightAtLast", false, "black-white", Qt::Key_Right, nullptr },
        KeyMove { "CatDownInOneRow", false, "calico", Qt::Key_Down, nullptr },
        KeyMove { "CatHome", false, "siamese", Qt::Key_Home, "tuxedo" },
        KeyMove { "CatSpaceChoosesItself", false, "tortie", Qt::Key_Space, "tortie" }),
    [](const ::testing::TestParamInfo<KeyMove>& info) { return std::string(info.param.name); });

// The eight cats make a row 8 x 28 + 7 x 3 wide and 34 high; the beds fill two rows of four.
TEST(PickerLayout, CatsInOneRowBedsInTwoRowsOfFour)
{
    CatThemePicker cats;
    EXPECT_EQ(cats.sizeHint(), QSize(245, 34));

    CatBedGridPicker beds;
    beds.resize(480, beds.sizeHint().height());
    beds.show();
    QCoreApplication::processEvents();
    const QList<PickerTile*>& tiles = beds.tiles();
    EXPECT_EQ(tiles.at(3)->y(), tiles.at(0)->y());
    EXPECT_GT(tiles.at(4)->y(), tiles.at(0)->y());
    EXPECT_EQ(tiles.at(4)->x(), tiles.at(0)->x());
    EXPECT_EQ(tiles.at(4)->width(), tiles.at(0)->width());
    EXPECT_EQ(tiles.at(3)->geometry().right(), beds.width() - 1);
}

// Keyed texts are looked up when read, so they follow a language switched while shown.
TEST(PickerLanguage, KeyedTextsFollowALanguageChange)
{
    class Marking final : public QTranslator {
    public:
        bool isEmpty() const override { return false; }
        QString translate(const char* context, const char* source, const char*, int) const override
        {
            return QLatin1String(context) == QLatin1String("mewt") ? QStringLiteral("«%1»").arg(source) : QString();
        }
    } translator;
    CatThemePicker cats;
    cats.setSelection("tuxedo");
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&cats)->text(QAccessible::Name), "«cat»");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(cats.tile("tuxedo"))->text(QAccessible::Value), "«selected»");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(cats.tile("tuxedo"))->text(QAccessible::Name), "tuxedo");
    QCoreApplication::removeTranslator(&translator);
}

} // namespace
