#include "../ScopedEnvironment.h"
#include "OptionsWindowRig.h"
#include "artwork/PullPreview.h"
#include "options/OptionsChromeBar.h"
#include "options/OptionsPalette.h"
#include "options/OptionsSearchEmptyState.h"
#include "options/OptionsSearchField.h"
#include "options/OptionsWindow.h"
#include "options/PullDistanceDiagram.h"
#include "options/PullingOptionsPage.h"
#include "options/SettingsForm.h"
#include "options/SettingsSection.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::OptionsWindowRig;

namespace {

constexpr int tallRowHeight = 90;

// A page taller than the window, one row per setting of the category, so a hit has somewhere to
// scroll to whatever the real pages look like.
QWidget* tallPage(OptionsCategory category)
{
    auto* form = new SettingsForm;
    SettingsSection* section = form->addSection();
    for (const OptionsSetting setting : allOptionsSettings()) {
        if (definition(setting).category != category)
            continue;
        auto* row = new QWidget;
        row->setFixedHeight(tallRowHeight);
        section->addCustomRow(setting, row);
    }
    return form;
}

OptionsSetting lastSetting(OptionsCategory category)
{
    OptionsSetting found {};
    for (const OptionsSetting setting : allOptionsSettings())
        if (definition(setting).category == category)
            found = setting;
    return found;
}

QListWidgetItem* itemWithText(QListWidget& list, const QString& text)
{
    const auto found = list.findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void clickItem(QListWidget& list, QListWidgetItem* item)
{
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
    QCoreApplication::processEvents();
}

// The window as the popover opens it: shown through the controller, with a tall sounds page.
class OptionsWindowNavigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.controller.registerPage(OptionsCategory::sounds, [] { return tallPage(OptionsCategory::sounds); });
        rig.controller.show();
        QCoreApplication::processEvents();
        ASSERT_NE(rig.controller.view(), nullptr);
    }

    OptionsView& view() { return *rig.controller.view(); }
    OptionsWindow& window() { return *rig.controller.window(); }

    void type(const QString& text)
    {
        QTest::keyClicks(&view().searchField(), text);
        QCoreApplication::processEvents();
    }

    void chooseHit(OptionsSetting setting)
    {
        QListWidget& hits = view().resultList();
        for (int row = 0; row < hits.count(); ++row) {
            if (!hits.item(row)->isHidden()
                && hits.item(row)->data(Qt::AccessibleTextRole) == definition(setting).title)
                return clickItem(hits, hits.item(row));
        }
        FAIL() << "no hit for " << rawValue(setting).toStdString();
    }

    void press(Qt::Key key)
    {
        QTest::keyClick(&window(), key, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

    ScopedEnvironment stillScrolling { "MEWT_REDUCED_MOTION", "1" };
    OptionsWindowRig rig;
};

TEST_F(OptionsWindowNavigation, TypingShowsHitsAndABlankDetail)
{
    type("alerts");
    EXPECT_EQ(&view().sidebarContent(), &view().resultList());
    int shown = 0;
    for (int row = 0; row < view().resultList().count(); ++row)
        shown += view().resultList().item(row)->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, int(searchResults("alerts", rig.navigation.availability()).size()));
    EXPECT_EQ(view().currentPage(), nullptr);

    type("zzz");
    EXPECT_EQ(&view().sidebarContent(), static_cast<QWidget*>(&view().emptyState()));
}

TEST_F(OptionsWindowNavigation, SpacesAloneAreNoSearch)
{
    rig.navigation.navigate(OptionsCategory::pulling);
    QCoreApplication::processEvents();
    type("   ");
    EXPECT_EQ(&view().sidebarContent(), &view().categoryList());
    EXPECT_NE(view().currentPage(), nullptr);
}

TEST_F(OptionsWindowNavigation, AHitOnAnotherPageOpensItAndCentresItsRow)
{
    const OptionsSetting last = lastSetting(OptionsCategory::sounds);
    type(definition(last).title);
    chooseHit(last);

    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);
    SettingsForm* form = view().currentForm();
    ASSERT_NE(form, nullptr);
    const auto centred = form->centringScrollValue(last);
    ASSERT_TRUE(centred.has_value());
    EXPECT_GT(*centred, 0) << "the row should lie below the first screen";
    EXPECT_EQ(form->verticalScrollBar()->value(), *centred);
    // The sidebar keeps the hits, with the chosen one selected.
    EXPECT_EQ(&view().sidebarContent(), &view().resultList());
    ASSERT_NE(view().resultList().currentItem(), nullptr);
    EXPECT_EQ(view().resultList().currentItem()->data(Qt::AccessibleTextRole), definition(last).title);
}

TEST_F(OptionsWindowNavigation, ChoosingTheSameHitAgainScrollsAgain)
{
    type(definition(OptionsSetting::soundsNotifications).title);
    chooseHit(OptionsSetting::soundsNotifications);
    SettingsForm* form = view().currentForm();
    ASSERT_NE(form, nullptr);
    const int centred = form->verticalScrollBar()->value();
    form->verticalScrollBar()->setValue(0);
    chooseHit(OptionsSetting::soundsNotifications);
    EXPECT_EQ(view().currentForm(), form) << "the same page stays";
    EXPECT_EQ(form->verticalScrollBar()->value(), centred);
}

// The current hit wears a ring in the list's highlight (a little transparent: its hue), which the
// arrows move.
TEST_F(OptionsWindowNavigation, TheHitsRingTheCurrentOne)
{
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    view().searchField().setFocus();
    type(QStringLiteral("sound"));
    QListWidget& hits = view().resultList();
    const auto ringed = [&hits](int row) {
        const QColor ring = hits.viewport()->grab().toImage().pixelColor(
            hits.visualItemRect(hits.item(row)).center().x(), hits.visualItemRect(hits.item(row)).top() + 2);
        return ring.hsvSaturation() > 64
            && std::abs(ring.hsvHue() - hits.palette().color(QPalette::Highlight).hsvHue()) < 10;
    };
    QTest::keyClick(&window(), Qt::Key_Tab);
    const int first = hits.currentRow();
    EXPECT_TRUE(ringed(first));
    QTest::keyClick(&hits, Qt::Key_Down);
    ASSERT_NE(hits.currentRow(), first);
    EXPECT_TRUE(ringed(hits.currentRow()));
    EXPECT_FALSE(ringed(first));
}

TEST_F(OptionsWindowNavigation, BackAndForwardWalkTheHistoryOnlyWhereTheyCan)
{
    press(Qt::Key_BracketLeft); // nothing behind the first page
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::general);
    EXPECT_FALSE(view().chromeBar().backButton().isEnabled());

    clickItem(view().categoryList(), itemWithText(view().categoryList(), title(OptionsCategory::pulling)));
    clickItem(view().categoryList(), itemWithText(view().categoryList(), title(OptionsCategory::sounds)));
    ASSERT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);

    press(Qt::Key_BracketLeft);
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::pulling);
    QTest::mouseClick(&view().chromeBar().backButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::general);
    press(Qt::Key_BracketRight);
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::pulling);
    press(Qt::Key_BracketRight);
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);
    press(Qt::Key_BracketRight); // nothing ahead of the last
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);
    EXPECT_FALSE(view().chromeBar().forwardButton().isEnabled());
    // The sidebar follows the history.
    EXPECT_EQ(view().categoryList().currentItem()->text(), title(OptionsCategory::sounds));
}

// A screen reader selects a row without making it current: the page follows the selection, and a
// row it unselects goes back to the row of the page shown.
TEST_F(OptionsWindowNavigation, SelectingARowThroughTheListShowsItsPage)
{
    QListWidget& list = view().categoryList();
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&list)->tableInterface();
    const auto shownCategory = [this] {
        SettingsForm* form = view().currentForm();
        return form && !form->registeredSettings().isEmpty() ? definition(form->registeredSettings().first()).category
                                                             : OptionsCategory::general;
    };
    const auto rowOf = [&list](OptionsCategory category) { return list.row(itemWithText(list, title(category))); };
    const auto toggleRow = [table](int row) {
        table->cellAt(row, 0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
    };

    ASSERT_TRUE(table->selectRow(rowOf(OptionsCategory::sounds)));
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);
    EXPECT_EQ(shownCategory(), OptionsCategory::sounds);

    toggleRow(rowOf(OptionsCategory::pulling));
    EXPECT_EQ(shownCategory(), OptionsCategory::pulling);
    toggleRow(rowOf(OptionsCategory::pulling)); // unselected
    EXPECT_EQ(shownCategory(), OptionsCategory::pulling);
    EXPECT_EQ(list.selectedItems(), QList { itemWithText(list, title(OptionsCategory::pulling)) });
    EXPECT_EQ(list.currentItem(), list.selectedItems().value(0));

    // Only the hits on show are rows, each with the hint of where it leads.
    type("distance");
    QAccessibleInterface* hits = QAccessible::queryAccessibleInterface(&view().resultList());
    QStringList read;
    for (int row = 0; row < hits->childCount(); ++row)
        read.append(hits->child(row)->text(QAccessible::Name));
    EXPECT_FALSE(read.contains(definition(OptionsSetting::soundsVolume).title)) << "hidden: no hit";
    const OptionsSettingDefinition distance = definition(OptionsSetting::timerStepDistance);
    const int hit = int(read.indexOf(distance.title));
    ASSERT_GE(hit, 0);
    EXPECT_EQ(hits->child(hit)->text(QAccessible::Description),
        QStringLiteral("Open %1 in %2").arg(distance.title, title(distance.category)));
    EXPECT_FALSE(hits->child(hit)->state().invisible);
    hits->tableInterface()->selectRow(hit);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.navigation.selectedSearchResult(), OptionsSetting::timerStepDistance);
    EXPECT_EQ(view().resultList().currentItem(), view().resultList().selectedItems().value(0));
}

TEST_F(OptionsWindowNavigation, AnotherPageOrResultsShowingClearTheScrolledBand)
{
    type(definition(OptionsSetting::soundsNotifications).title);
    chooseHit(OptionsSetting::soundsNotifications);
    ASSERT_TRUE(rig.chrome.isDetailScrolled());

    type("x"); // every edit drops the chosen hit, so results show again
    EXPECT_FALSE(rig.chrome.isDetailScrolled());

    rig.navigation.clearSearch();
    QCoreApplication::processEvents();
    view().currentForm()->verticalScrollBar()->setValue(40);
    ASSERT_TRUE(rig.chrome.isDetailScrolled());
    rig.navigation.navigate(OptionsCategory::pulling);
    QCoreApplication::processEvents();
    EXPECT_FALSE(rig.chrome.isDetailScrolled());
}

// Scrolled, the band right of the sidebar is a translucent material: the page passing under it
// shows through, faintly, in both looks.
class ScrolledBand : public ::testing::TestWithParam<bool> { };

TEST_P(ScrolledBand, ShowsThePagePassingUnderItFaintly)
{
    ScopedEnvironment still { "MEWT_REDUCED_MOTION", "1" };
    OptionsWindowRig rig;
    rig.controller.setDark(GetParam());
    rig.controller.show();
    rig.navigation.navigate(OptionsCategory::timer);
    QCoreApplication::processEvents();
    QScrollBar* scroll = rig.controller.view()->currentForm()->verticalScrollBar();
    ASSERT_GE(scroll->maximum(), 130);
    QWidget& window = *rig.controller.window();
    // The band right of the page title, above its own bottom hairline.
    const auto band = [&](int offset) {
        scroll->setValue(offset);
        QCoreApplication::processEvents();
        constexpr int left = 480;
        return window.grab(QRect(left, 0, window.width() - left, OptionsChromeBar::barHeight - 1)).toImage();
    };
    // How many pixels differ by more than a rounding, and the most any differs.
    const auto compare = [](const QImage& a, const QImage& b) {
        std::pair<int, int> found;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const int off = std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
                found = { found.first + (off > 2), std::max(found.second, off) };
            }
        return found;
    };
    const QImage top = band(0);
    QImage ground = top;
    ground.fill(window.palette().color(QPalette::Window));
    const QImage scrolled = band(60);
    const int area = top.width() * top.height();
    EXPECT_EQ(compare(top, ground).second, 0); // clear at the top of the page
    const auto [strays, farthest] = compare(scrolled, ground);
    EXPECT_GT(strays, area / 20);
    EXPECT_GT(compare(scrolled, band(130)).first, area / 20);
    EXPECT_GT(farthest, 6);
    EXPECT_LT(farthest, 90); // seen through a material, not the page itself
    // The other look while scrolled (the page stays at 130): the band as a scroll step draws it.
    rig.controller.setDark(!GetParam());
    const QImage switched = band(130);
    band(131);
    EXPECT_EQ(compare(switched, band(130)).first, 0);
}

INSTANTIATE_TEST_SUITE_P(Looks, ScrolledBand, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? "dark" : "light"; });

// A closed window keeps nothing built, and opens again as it was left: page, search, chosen hit
// and how far the user scrolled (not the hit's row again).
TEST_F(OptionsWindowNavigation, ClosingGivesEverythingBackAndShowingAgainLooksAsLeft)
{
    const OptionsSetting last = OptionsSetting::soundsNotifications;
    type(definition(last).title);
    chooseHit(last);
    QScrollBar* scroll = view().currentForm()->verticalScrollBar();
    ASSERT_GT(scroll->value(), 10);
    scroll->setValue(scroll->value() - 7);
    const int left = scroll->value();
    const QPointer<QWidget> page = view().currentPage();
    OptionsWindow* before = &window();

    window().close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(page, nullptr);
    EXPECT_EQ(rig.controller.view(), nullptr);
    EXPECT_FALSE(window().testAttribute(Qt::WA_WState_Created)) << "the backing store stays";

    rig.controller.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(rig.controller.window(), before);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(view().searchField().text(), definition(last).title);
    EXPECT_EQ(rig.navigation.currentCategory(), OptionsCategory::sounds);
    ASSERT_NE(view().resultList().currentItem(), nullptr);
    EXPECT_EQ(view().resultList().currentItem()->data(Qt::AccessibleTextRole), definition(last).title);
    ASSERT_NE(view().currentForm(), nullptr);
    EXPECT_EQ(view().currentForm()->verticalScrollBar()->value(), left);
}

TEST_F(OptionsWindowNavigation, ThePullDemoRunsOnlyWhileTheWindowShowsIt)
{
    ScopedEnvironment moving("MEWT_REDUCED_MOTION", "0");
    rig.navigation.navigate(OptionsCategory::pulling);
    QCoreApplication::processEvents();
    auto* diagram = window().findChild<PullDistanceDiagram*>();
    ASSERT_NE(diagram, nullptr);
    EXPECT_TRUE(diagram->preview().loop().isRunning());

    window().close();
    EXPECT_FALSE(diagram->preview().loop().isRunning()) << "a hidden window must not wake up";
    rig.navigation.navigate(OptionsCategory::general);
    rig.controller.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window().findChild<PullDistanceDiagram*>(), nullptr) << "the page left is gone";
}

TEST_F(OptionsWindowNavigation, ReplayHidesTheWindowBeforeAskingForTheTour)
{
    bool visibleWhenAsked = true;
    rig.controller.onReplayOnboarding = [&] { visibleWhenAsked = window().isVisible(); };
    rig.controller.replayOnboarding();
    EXPECT_FALSE(visibleWhenAsked);
}

TEST_F(OptionsWindowNavigation, AfterShutdownNothingShowsAgain)
{
    rig.controller.shutdown();
    EXPECT_FALSE(window().isVisible());
    rig.controller.show();
    EXPECT_FALSE(window().isVisible());
    rig.controller.shutdown(); // a second time is harmless
}

TEST_F(OptionsWindowNavigation, AppearanceReachesAHiddenWindow)
{
    window().hide();
    const QColor light = window().palette().color(QPalette::Window);
    rig.controller.setDark(true);
    EXPECT_LT(window().palette().color(QPalette::Window).lightness(), light.lightness());
}

// Pages arrive as other work lands (a window built for a request registers its pages after the
// view): a category without one shows nothing, and a page registered while its category is on show
// appears at once, scrolled to the row asked for before it came.
TEST(OptionsViewPages, AMissingPageShowsNothingUntilRegistered)
{
    ScopedEnvironment stillScrolling("MEWT_REDUCED_MOTION", "1");
    OptionsWindowRig rig;
    OptionsView view(rig.navigation, rig.chrome, &rig.themes);
    view.show();
    rig.navigation.showSetting(lastSetting(OptionsCategory::timer));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.currentPage(), nullptr);

    view.registerPage(OptionsCategory::timer, [] { return tallPage(OptionsCategory::timer); });
    QCoreApplication::processEvents();
    ASSERT_NE(view.currentForm(), nullptr);
    EXPECT_GT(view.currentForm()->verticalScrollBar()->value(), 0);
}

TEST(OptionsWindowLifecycle, NothingIsBuiltBeforeTheFirstShow)
{
    OptionsWindowRig rig;
    rig.controller.setDark(true);
    EXPECT_EQ(rig.controller.window(), nullptr);
    rig.controller.show();
    ASSERT_NE(rig.controller.window(), nullptr);
    const auto accent = [&rig] { return rig.themes.selected().popoverPalette(ColorScheme::dark).accentColor; };
    EXPECT_EQ(rig.controller.window()->palette(), optionsPalette(true, accent()));
    EXPECT_EQ(rig.controller.window()->size(), OptionsView::windowSize);
    // Selections are in the cat's accent, whichever cat is chosen.
    rig.themes.setSelected(CatTheme::all().back());
    EXPECT_EQ(rig.controller.window()->palette().color(QPalette::Highlight), accent());
}

// Pictures of every page in light and dark, for a person to look at. Set MEWT_GALLERY_DIR.
class OptionsWindowGallery : public ::testing::TestWithParam<bool> { };

TEST_P(OptionsWindowGallery, EveryPage)
{
    const QString folder = qEnvironmentVariable("MEWT_GALLERY_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "MEWT_GALLERY_DIR not set";
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    OptionsWindowRig rig;
    rig.controller.setDark(GetParam());
    rig.controller.show();
    for (const OptionsCategory category : allOptionsCategories) {
        rig.navigation.navigate(category);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        // Halfway through the demo's pull, rather than its invisible first frame.
        if (auto* diagram = rig.controller.window()->findChild<PullDistanceDiagram*>())
            diagram->preview().showFrame(1.6);
        rig.controller.window()->grab().save(QDir(folder).filePath(
            QStringLiteral("window-%1-%2.png").arg(rawValue(category), GetParam() ? "dark" : "light")));
    }
    {
        ScopedEnvironment still { "MEWT_REDUCED_MOTION", "1" }; // the band without its fade
        rig.navigation.navigate(OptionsCategory::timer);
        QCoreApplication::processEvents();
        rig.controller.view()->currentForm()->verticalScrollBar()->setValue(130);
        QCoreApplication::processEvents();
    }
    rig.controller.window()->grab().save(
        QDir(folder).filePath(QStringLiteral("window-scrolled-%1.png").arg(GetParam() ? "dark" : "light")));
    rig.navigation.updateSearchText("min");
    QCoreApplication::processEvents();
    rig.controller.window()->grab().save(
        QDir(folder).filePath(QStringLiteral("window-search-%1.png").arg(GetParam() ? "dark" : "light")));
}

INSTANTIATE_TEST_SUITE_P(Looks, OptionsWindowGallery, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? "dark" : "light"; });

} // namespace

// The top bar, the search, the sidebar, then the page's controls (made after the rest, so last in
// Qt's own chain), and round again; the scrolling page itself is no stop.
TEST(OptionsWindowKeyboard, TabWalksTheWindowInReadingOrderAndBack)
{
    ScopedEnvironment still { "MEWT_REDUCED_MOTION", "1" };
    OptionsWindowRig rig;
    rig.controller.show();
    rig.navigation.navigate(OptionsCategory::timer);
    rig.navigation.navigate(OptionsCategory::controls);
    QCoreApplication::processEvents();
    QWidget& window = *rig.controller.window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto tab = [&window](Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab, modifiers);
        QCoreApplication::processEvents();
        const QWidget* focused = QApplication::focusWidget();
        return !focused                                 ? QStringLiteral("nothing")
            : qobject_cast<const QListWidget*>(focused) ? QStringLiteral("sidebar")
                                                        : focused->accessibleName();
    };
    const QStringList order { "Back", "Search settings", "sidebar", "timer layout", "show timer | pomodoro switch",
        "auto-dismiss controls", "zen mode", "show instructions" };
    while (tab({}) != order.back()) { }
    QStringList forwards, backwards;
    while (forwards.size() < order.size())
        forwards.append(tab({}));
    while (backwards.size() < order.size())
        backwards.prepend(tab(Qt::ShiftModifier));
    EXPECT_EQ(forwards, order);
    EXPECT_EQ(backwards.mid(1) + backwards.mid(0, 1), order);
}
