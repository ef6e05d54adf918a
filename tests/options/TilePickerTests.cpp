#include "model/CatBed.h"
#include "model/CatTheme.h"
#include "options/CatBedGridPicker.h"
#include "options/CatThemePicker.h"
#include "options/PickerTile.h"

#include <QAccessible>
#include <QApplication>
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
    const auto add = [&names](const auto& items) {
        for (const auto& item : items)
            names << item.name;
    };
    beds ? add(CatBed::all()) : add(CatTheme::all());
    return names;
}

// The names of the tiles a screen reader hears as checked, each also valued "selected".
QStringList checkedNames(const TilePicker& picker)
{
    QStringList names;
    for (PickerTile* tile : picker.tiles()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(tile);
        EXPECT_EQ(node->text(QAccessible::Value), node->state().checked ? "selected" : "");
        if (node->state().checked)
            names << node->text(QAccessible::Name);
    }
    return names;
}

// Both pickers, told apart by the parameter: false for the cats, true for the beds.
class PickerSelection : public ::testing::TestWithParam<bool> { };

// Each tile is a radio button named after its choice, in the model's order, in one named group;
// exactly one is checked for a known id and none for an id of no choice. The checked tile (or the
// first) is the group's only Tab stop.
TEST_P(PickerSelection, TilesAreRadioButtonsCheckedByTheBoundId)
{
    std::unique_ptr<TilePicker> picker = makePicker(GetParam());
    QStringList names;
    for (PickerTile* tile : picker->tiles()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(tile);
        EXPECT_EQ(node->role(), QAccessible::RadioButton);
        EXPECT_TRUE(node->text(QAccessible::Description).isEmpty()); // not the tooltip again
        names << node->text(QAccessible::Name);
    }
    EXPECT_EQ(names, modelNames(GetParam()));
    QSignalSpy chosen(picker.get(), &TilePicker::chosen);
    QAccessible::queryAccessibleInterface(picker->tiles().at(1))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), picker->tiles().at(1)->id());
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(picker.get());
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), GetParam() ? "bed" : "cat");

    PickerTile* last = picker->tiles().last();
    picker->setSelection(last->id());
    EXPECT_EQ(checkedNames(*picker), QStringList { last->name() });
    for (PickerTile* tile : picker->tiles())
        EXPECT_EQ(tile->focusPolicy() == Qt::StrongFocus, tile == last) << tile->name().toStdString();

    picker->setSelection("no-such-choice");
    EXPECT_TRUE(checkedNames(*picker).isEmpty());
    EXPECT_EQ(picker->tiles().first()->focusPolicy(), Qt::StrongFocus);
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
        KeyMove { "BedUpOnTopRow", true, "cloud", Qt::Key_Up, nullptr },
        KeyMove { "BedLeftAtFirst", true, "sofa", Qt::Key_Left, nullptr },
        KeyMove { "BedEnd", true, "basket", Qt::Key_End, "nest" },
        KeyMove { "CatLeft", false, "calico", Qt::Key_Left, "orange-tabby" },
        KeyMove { "CatRightAtLast", false, "black-white", Qt::Key_Right, nullptr },
        KeyMove { "CatHome", false, "siamese", Qt::Key_Home, "tuxedo" },
        KeyMove { "CatSpaceChoosesItself", false, "tortie", Qt::Key_Space, "tortie" }),
    [](const ::testing::TestParamInfo<KeyMove>& info) { return std::string(info.param.name); });

// Keyed texts are looked up when read, so they follow a language switched while shown; the
// cats' names are never looked up. The row of eight is 8 x 28 + 7 x 3 wide and 34 high.
TEST(CatPicker, FollowsALanguageChangeAndKeepsItsSize)
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
    EXPECT_EQ(cats.sizeHint(), QSize(245, 34));
    cats.setSelection("tuxedo");
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&cats)->text(QAccessible::Name), "«cat»");
    QAccessibleInterface* tuxedo = QAccessible::queryAccessibleInterface(cats.tile("tuxedo"));
    EXPECT_EQ(tuxedo->text(QAccessible::Value), "«selected»");
    EXPECT_EQ(tuxedo->text(QAccessible::Name), "tuxedo");
    QCoreApplication::removeTranslator(&translator);
}

} // namespace
