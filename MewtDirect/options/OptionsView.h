#pragma once

#include "options/OptionsCategory.h"
#include "options/OptionsSetting.h"

#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QListWidget;
class QStackedWidget;

namespace mewt {

class OptionsChromeBar;
class OptionsChromeState;
class OptionsNavigationModel;
class OptionsScrollTracker;
class OptionsSearchEmptyState;
class OptionsSearchField;
class SettingsForm;
class ThemeStore;

// What a view hands to the one built after it, when the closed window has given its content back:
// the scroll request already answered and how far the page on show was scrolled.
struct OptionsViewHandover {
    int handledScrollRequest = -1;
    std::optional<OptionsCategory> scrolledPage;
    int scrollOffset = 0;
};

// The whole options window: the top band, a sidebar with the search field over the categories or
// the search hits, and the current category's page. Pages are built by their registered factories
// the first time their category is shown, and afresh on every visit, so each visit starts at the
// top. A category with no page registered shows an empty detail.
class OptionsView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsView)

public:
    // Builds a page; the page holds its rows in a SettingsForm, which the view finds to scroll.
    using PageFactory = std::function<QWidget*()>;

    static constexpr QSize windowSize { 740, 500 };
    static constexpr int sidebarWidth = 200;
    static constexpr int searchFieldHeight = 28;
    static constexpr int detailMinimumWidth = 440;

    OptionsView(OptionsNavigationModel& navigation, OptionsChromeState& chromeState, const ThemeStore* themeStore,
        OptionsViewHandover from = {}, QWidget* parent = nullptr);
    ~OptionsView() override;

    OptionsViewHandover handover() const;

    void registerPage(OptionsCategory category, PageFactory factory);
    bool hasPage(OptionsCategory category) const { return factories.contains(category); }

    // Search text is there and no hit has been chosen: the detail is blank.
    bool isShowingSearchResults() const;
    // The page on show, null while results show or when the category has no page.
    QWidget* currentPage() const;
    SettingsForm* currentForm() const;
    OptionsChromeBar& chromeBar() const { return *chrome; }
    OptionsSearchField& searchField() const { return *search; }
    QListWidget& categoryList() const { return *categories; }
    QListWidget& resultList() const { return *results; }
    OptionsSearchEmptyState& emptyState() const { return *noResults; }
    QWidget& sidebarContent() const;

    // Model -> widgets, once per event-loop turn; public so tests need no loop.
    void sync();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void scheduleSync();
    void syncSidebar();
    void syncDetail();
    // The chosen hit's texts turn to the selection's colour.
    void markChosenHit();
    void showPage(OptionsCategory category);
    void applyAccent();

    OptionsNavigationModel& navigation;
    OptionsChromeState& chromeState;
    const ThemeStore* themeStore;
    QMap<OptionsCategory, PageFactory> factories;

    OptionsChromeBar* chrome = nullptr;
    OptionsSearchField* search = nullptr;
    QStackedWidget* sidebar = nullptr;
    QListWidget* categories = nullptr;
    QListWidget* results = nullptr;
    OptionsSearchEmptyState* noResults = nullptr;
    QStackedWidget* detail = nullptr;
    QWidget* blank = nullptr;
    QWidget* pageHost = nullptr;
    QPointer<QWidget> page;
    std::optional<OptionsCategory> pageCategory;
    OptionsScrollTracker* tracker = nullptr;

    QList<OptionsSetting> shownHits;
    OptionsCategory lastCategory;
    bool lastShowingResults = false;
    int handledScrollRequest = -1;
    // Where the page scrolled before the window gave its content back, until that page shows.
    std::optional<OptionsViewHandover> resumedScroll;
    bool syncPending = false;
};

} // namespace mewt
