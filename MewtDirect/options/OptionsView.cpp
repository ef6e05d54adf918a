#include "options/OptionsView.h"

#include "artwork/FocusRing.h"
#include "model/ThemeStore.h"
#include "options/AccessibleChoice.h"
#include "options/AccessibleItemList.h"
#include "options/OptionsCategoryIcon.h"
#include "options/OptionsChromeBar.h"
#include "options/OptionsChromeState.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsPalette.h"
#include "options/OptionsScrollTracker.h"
#include "options/OptionsSearchEmptyState.h"
#include "options/OptionsSearchField.h"
#include "options/OptionsSearchResultRow.h"
#include "options/SettingsForm.h"
#include "options/TextStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace mewt {

namespace {

constexpr int categoryRole = Qt::UserRole + 1;
constexpr int settingRole = Qt::UserRole + 2;
// A group's first row carries the gap above it, so a gap is no row a screen reader would meet.
constexpr int opensGroupRole = Qt::UserRole + 3;
constexpr int fieldSideMargin = 10;
constexpr int fieldTopMargin = 10;
constexpr int fieldBottomMargin = 6;
constexpr int listSideMargin = 8;
constexpr int categoryRowHeight = 32;
constexpr int groupGap = 10;
constexpr int iconToTitle = 8;
constexpr int rowInset = OptionsCategoryIcon::rowInset;
constexpr qreal selectionRadius = 6;

// The three groups of the sidebar.
const QList<QList<OptionsCategory>>& sidebarSections()
{
    static const QList<QList<OptionsCategory>> sections {
        { OptionsCategory::general, OptionsCategory::appearance },
        { OptionsCategory::timer, OptionsCategory::pulling },
        { OptionsCategory::controls, OptionsCategory::sounds },
    };
    return sections;
}

// A sidebar row on a rounded selection in the theme's accent: a category row paints its tile and
// title; a search hit paints itself over the selection.
class SidebarRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF row = QRectF(option.rect).adjusted(0, 1 + gapAbove(index), 0, -1);
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        if (selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(option.palette.color(QPalette::Highlight));
            painter->drawRoundedRect(row, selectionRadius, selectionRadius);
        }
        // The keyboard's row; on the selection the ring takes the selection's text colour.
        if (option.state.testFlag(QStyle::State_HasFocus) && option.widget)
            paintFocusRing(*painter, *option.widget, row, selectionRadius,
                option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight));
        const QVariant category = index.data(categoryRole);
        if (!category.isValid()) {
            painter->restore();
            return; // a search hit paints itself
        }
        const qreal side = OptionsCategoryIcon::side;
        const QRectF tile(row.left() + rowInset, row.center().y() - side / 2, side, side);
        OptionsCategoryIcon::paint(*painter, tile, OptionsCategory(category.toInt()), option.palette);
        painter->setFont(textStyleFont(TextStyle::body));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        const QRectF text = row.adjusted(tile.right() - row.left() + iconToTitle, 0, -rowInset, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
            painter->fontMetrics().elidedText(
                index.data(Qt::DisplayRole).toString(), Qt::ElideRight, int(text.width())));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (const QVariant size = index.data(Qt::SizeHintRole); size.isValid())
            return size.toSize();
        return QSize(option.rect.width(), categoryRowHeight + gapAbove(index));
    }

    static int gapAbove(const QModelIndex& index) { return index.data(opensGroupRole).toBool() ? groupGap : 0; }
};

// A sidebar list: the gap above a group takes no click.
class SidebarList final : public QListWidget {
public:
    using QListWidget::QListWidget;

    QModelIndex indexAt(const QPoint& point) const override
    {
        const QModelIndex at = QListWidget::indexAt(point);
        if (at.isValid() && point.y() < visualRect(at).top() + SidebarRowDelegate::gapAbove(at))
            return {};
        return at;
    }
};

// The role's value on the list's one selected row; nothing for no row or a hidden hit.
QVariant selectedData(const QListWidget& list, int role)
{
    const QList<QListWidgetItem*> chosen = list.selectedItems();
    return chosen.size() == 1 && !chosen.first()->isHidden() ? chosen.first()->data(role) : QVariant();
}

// The search hits by keyboard: the arrows move among them without opening one; Return (which the
// view itself answers with `activated`) and Space activate the current one. A selection from
// elsewhere (a click, a screen reader) still opens its hit.
class SearchHitList final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override
    {
        if (event && event->type() == QEvent::KeyPress)
            return QItemSelectionModel::NoUpdate;
        return QListWidget::selectionCommand(index, event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && currentItem()
            && !currentItem()->isHidden()) {
            if (!event->isAutoRepeat())
                Q_EMIT activated(currentIndex());
            return;
        }
        QListWidget::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override
    {
        // Tab lands on the chosen hit, else on the first shown one, so the keyboard is always on a hit.
        if (event->reason() != Qt::MouseFocusReason && (!currentItem() || currentItem()->isHidden())) {
            for (int row = 0; row < count(); ++row) {
                if (!item(row)->isHidden()) {
                    selectionModel()->setCurrentIndex(indexFromItem(item(row)), QItemSelectionModel::NoUpdate);
                    break;
                }
            }
        }
        QListWidget::focusInEvent(event);
    }
};

template <typename List = SidebarList> List* sidebarList(QWidget* parent)
{
    installAccessibleItemLists();
    auto* list = new List(parent);
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->viewport()->setAutoFillBackground(false);
    list->setAutoFillBackground(false);
    list->setSpacing(0);
    return list;
}

} // namespace

OptionsView::OptionsView(OptionsNavigationModel& navigation, OptionsChromeState& chromeState,
    const ThemeStore* themeStore, OptionsViewHandover from, QWidget* parent)
    : QWidget(parent)
    , navigation(navigation)
    , chromeState(chromeState)
    , themeStore(themeStore)
    , chrome(new OptionsChromeBar(navigation, chromeState, this))
    , search(new OptionsSearchField(navigation))
    , sidebar(new QStackedWidget)
    , categories(sidebarList(sidebar))
    , results(sidebarList<SearchHitList>(sidebar))
    , noResults(new OptionsSearchEmptyState(sidebar))
    , detail(new QStackedWidget)
    , blank(new QWidget(detail))
    , pageHost(new QWidget(detail))
    , tracker(new OptionsScrollTracker(chromeState, this))
    , lastCategory(navigation.currentCategory())
    , handledScrollRequest(from.handledScrollRequest)
    , resumedScroll(from.scrolledPage ? std::optional(from) : std::nullopt)
{
    // Before any page makes a drop-down: Qt keeps the first reading it gives of a widget.
    installAccessibleChoices();
    setFixedSize(windowSize);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(chrome);
    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    rows->addLayout(columns, 1);

    auto* sideColumn = new QWidget;
    sideColumn->setFixedWidth(sidebarWidth);
    auto* side = new QVBoxLayout(sideColumn);
    side->setContentsMargins(0, 0, 0, 0);
    side->setSpacing(0);
    auto* fieldBox = new QVBoxLayout;
    fieldBox->setContentsMargins(fieldSideMargin, fieldTopMargin, fieldSideMargin, fieldBottomMargin);
    search->setFixedHeight(searchFieldHeight);
    fieldBox->addWidget(search);
    side->addLayout(fieldBox);
    sidebar->setContentsMargins(listSideMargin, 0, listSideMargin, 0);
    side->addWidget(sidebar, 1);
    columns->addWidget(sideColumn);
    // The hairline between the columns is painted.
    columns->addSpacing(1);
    detail->setMinimumWidth(detailMinimumWidth);
    detail->setAutoFillBackground(true);
    columns->addWidget(detail, 1);

    categories->setItemDelegate(new SidebarRowDelegate(categories));
    results->setItemDelegate(new SidebarRowDelegate(results));
    for (const auto& group : sidebarSections()) {
        for (const OptionsCategory category : group) {
            auto* item = new QListWidgetItem(title(category), categories);
            item->setData(categoryRole, int(category));
            item->setData(Qt::AccessibleDescriptionRole, subtitle(category));
            item->setData(opensGroupRole, category == group.first() && categories->count() > 1);
        }
    }
    sidebar->addWidget(categories);
    sidebar->addWidget(results);
    sidebar->addWidget(noResults);
    detail->addWidget(blank);
    detail->addWidget(pageHost);
    auto* hostLayout = new QVBoxLayout(pageHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);

    // The lists write only what the user picks; sync() selects under a signal blocker. The selection
    // counts, not the current row: a screen reader selects a row without making it current. A row
    // unselected is undone by the next sync, so the list always shows the page.
    connect(categories, &QListWidget::itemSelectionChanged, this, [this] {
        const QVariant category = selectedData(*categories, categoryRole);
        if (category.isValid())
            this->navigation.navigate(OptionsCategory(category.toInt()));
        scheduleSync();
    });
    connect(results, &QListWidget::itemSelectionChanged, this, [this] {
        const QVariant setting = selectedData(*results, settingRole);
        if (setting.isValid())
            this->navigation.openSearchResult(OptionsSetting(setting.toInt()));
        scheduleSync();
    });
    // A click on the hit already chosen asks for its row again.
    connect(results, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto setting = OptionsSetting(item->data(settingRole).toInt());
        if (this->navigation.selectedSearchResult() == setting)
            this->navigation.openSearchResult(setting);
    });
    connect(results, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (!item->isHidden())
            this->navigation.openSearchResult(OptionsSetting(item->data(settingRole).toInt()));
    });

    connect(&navigation, &OptionsNavigationModel::historyChanged, this, &OptionsView::scheduleSync);
    connect(&navigation, &OptionsNavigationModel::searchTextChanged, this, &OptionsView::scheduleSync);
    connect(&navigation, &OptionsNavigationModel::selectedSearchResultChanged, this, &OptionsView::scheduleSync);
    connect(&navigation, &OptionsNavigationModel::scrollRequestIDChanged, this, &OptionsView::scheduleSync);
    if (themeStore)
        connect(themeStore, &ThemeStore::selectedChanged, this, &OptionsView::applyAccent);
    applyAccent();
    sync();
}

OptionsView::~OptionsView()
{
    tracker->detach();
}

OptionsViewHandover OptionsView::handover() const
{
    OptionsViewHandover next { handledScrollRequest, {}, 0 };
    if (const SettingsForm* form = currentForm()) {
        next.scrolledPage = pageCategory;
        next.scrollOffset = form->verticalScrollBar()->value();
    } else if (resumedScroll) {
        next = { handledScrollRequest, resumedScroll->scrolledPage, resumedScroll->scrollOffset };
    }
    return next;
}

void OptionsView::registerPage(OptionsCategory category, PageFactory factory)
{
    factories.insert(category, std::move(factory));
    if (pageCategory == category || (!page && navigation.currentCategory() == category)) {
        pageCategory.reset(); // built again with the new factory
        scheduleSync();
    }
}

bool OptionsView::isShowingSearchResults() const
{
    return navigation.isSearching() && !navigation.selectedSearchResult();
}

QWidget* OptionsView::currentPage() const
{
    return detail->currentWidget() == pageHost ? page.data() : nullptr;
}

SettingsForm* OptionsView::currentForm() const
{
    QWidget* shown = currentPage();
    if (!shown)
        return nullptr;
    if (auto* form = qobject_cast<SettingsForm*>(shown))
        return form;
    return shown->findChild<SettingsForm*>();
}

QWidget& OptionsView::sidebarContent() const
{
    return *sidebar->currentWidget();
}

void OptionsView::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &OptionsView::sync, Qt::QueuedConnection);
}

void OptionsView::sync()
{
    syncPending = false;
    const OptionsCategory category = navigation.currentCategory();
    const bool showingResults = isShowingSearchResults();
    if (category != lastCategory || (showingResults && !lastShowingResults))
        chromeState.setDetailScrolled(false);
    lastCategory = category;
    lastShowingResults = showingResults;
    syncSidebar();
    syncDetail();
}

void OptionsView::syncSidebar()
{
    if (!navigation.isSearching()) {
        const QSignalBlocker quiet(categories);
        for (int row = 0; row < categories->count(); ++row) {
            QListWidgetItem* item = categories->item(row);
            if (item->data(categoryRole) == int(navigation.currentCategory()))
                categories->setCurrentItem(item);
        }
        sidebar->setCurrentWidget(categories);
        return;
    }
    const QList<OptionsSetting> hits = searchResults(navigation.searchText(), navigation.availability());
    if (hits.isEmpty()) {
        noResults->setQuery(navigation.searchText());
        sidebar->setCurrentWidget(noResults);
        return;
    }
    const QSignalBlocker quiet(results);
    if (results->count() == 0) {
        // One row per setting, in catalogue order, built on the first search; each keystroke then
        // only hides and shows rows, since hits keep catalogue order.
        for (const OptionsSetting setting : allOptionsSettings()) {
            auto* item = new QListWidgetItem(results);
            item->setData(settingRole, int(setting));
            item->setData(Qt::AccessibleTextRole, definition(setting).title);
            auto* row = new OptionsSearchResultRow(setting);
            item->setSizeHint(QSize(sidebarWidth - 2 * listSideMargin, row->sizeHint().height()));
            results->setItemWidget(item, row);
        }
    }
    if (hits != shownHits) {
        shownHits = hits;
        for (int row = 0; row < results->count(); ++row) {
            QListWidgetItem* item = results->item(row);
            item->setHidden(!hits.contains(OptionsSetting(item->data(settingRole).toInt())));
        }
    }
    results->setCurrentItem(nullptr);
    results->clearSelection();
    const auto chosen = navigation.selectedSearchResult();
    for (int row = 0; chosen && row < results->count(); ++row) {
        if (results->item(row)->data(settingRole).toInt() == int(*chosen))
            results->setCurrentItem(results->item(row));
    }
    markChosenHit();
    sidebar->setCurrentWidget(results);
}

void OptionsView::markChosenHit()
{
    for (int row = 0; row < results->count(); ++row) {
        QListWidgetItem* item = results->item(row);
        if (auto* hit = qobject_cast<OptionsSearchResultRow*>(results->itemWidget(item)))
            hit->setChosen(item->isSelected());
    }
}

void OptionsView::syncDetail()
{
    if (isShowingSearchResults()) {
        detail->setCurrentWidget(blank);
        tracker->attach(nullptr);
        chrome->setScrolledContent(nullptr);
        return;
    }
    const OptionsCategory category = navigation.currentCategory();
    if (pageCategory != category)
        showPage(category);
    detail->setCurrentWidget(pageHost);
    SettingsForm* form = currentForm();
    tracker->attach(form);
    chrome->setScrolledContent(form);
    // A request waits for its page: a window built for it registers its pages after this view.
    if (!form)
        return;
    const std::optional<OptionsViewHandover> resumed = std::exchange(resumedScroll, std::nullopt);
    if (navigation.scrollRequestID() == handledScrollRequest) {
        if (resumed && resumed->scrolledPage == category)
            form->scrollToOffset(resumed->scrollOffset);
        return;
    }
    handledScrollRequest = navigation.scrollRequestID();
    // The target read now is the one scrolled to, whatever changes before the scroll ends.
    if (const auto target = navigation.scrollTarget()) {
        layout()->activate();
        form->scrollTo(*target);
    }
}

void OptionsView::showPage(OptionsCategory category)
{
    delete page;
    pageCategory = category;
    const auto factory = factories.constFind(category);
    if (factory == factories.constEnd())
        return; // not built yet: nothing rather than a make-believe page
    page = (*factory)();
    if (!page)
        return;
    pageHost->layout()->addWidget(page);
    page->show(); // now, not on the layout's next turn, so the page can scroll at once
}

void OptionsView::applyAccent()
{
    if (!themeStore)
        return;
    for (QListWidget* list : { categories, results }) {
        QPalette colors = list->palette();
        QColor accent = themeStore->selected().accentColor;
        accent.setAlphaF(0.85);
        colors.setColor(QPalette::Highlight, accent);
        colors.setColor(QPalette::HighlightedText, Qt::white);
        list->setPalette(colors);
    }
}

// Tab goes through the window as it reads: the top bar, the search, the sidebar, then the page.
// Pages are made on demand, so the focus chain alone would put a new page's controls last.
bool OptionsView::focusNextPrevChild(bool next)
{
    const QList<const QWidget*> sections { chrome, search, sidebar, detail };
    QList<QWidget*> order;
    QWidget* top = window();
    for (QWidget* w = top->nextInFocusChain(); w && w != top; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || !w->isEnabled() || !w->isVisibleTo(top)
            || !isAncestorOf(w))
            continue;
        order.append(w);
    }
    const auto section = [&sections](const QWidget* w) {
        for (qsizetype i = 0; i < sections.size(); ++i)
            if (sections[i] == w || sections[i]->isAncestorOf(w))
                return i;
        return sections.size();
    };
    std::stable_sort(
        order.begin(), order.end(), [&section](const QWidget* a, const QWidget* b) { return section(a) < section(b); });
    if (order.isEmpty())
        return QWidget::focusNextPrevChild(next);
    const qsizetype at = order.indexOf(top->focusWidget());
    const qsizetype target
        = at < 0 ? (next ? 0 : order.size() - 1) : (at + (next ? 1 : order.size() - 1)) % order.size();
    QWidget* chosen = order[target];
    chosen->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    for (QWidget* w = chosen->parentWidget(); w && w != this; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w))
            area->ensureWidgetVisible(chosen);
    return true;
}

void OptionsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect columns(0, OptionsChromeBar::barHeight, width(), height() - OptionsChromeBar::barHeight);
    painter.fillRect(QRect(columns.topLeft(), QSize(sidebarWidth, columns.height())), materialColor(palette()));
    painter.fillRect(QRect(sidebarWidth, columns.top(), 1, columns.height()), separatorColor(palette()));
}

} // namespace mewt
