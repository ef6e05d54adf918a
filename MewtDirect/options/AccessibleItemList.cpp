#include "options/AccessibleItemList.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWindow>

namespace mewt {

namespace {

// The rows a reader meets, in order: those not hidden. A list view numbers its accessibility
// events the same way, so a focus or selection event names the row it means.
QList<int> shownRows(const QListView& view)
{
    QList<int> rows;
    if (!view.model())
        return rows;
    const int count = view.model()->rowCount(view.rootIndex());
    for (int row = 0; row < count; ++row)
        if (!view.isRowHidden(row))
            rows.append(row);
    return rows;
}

QModelIndex modelIndex(const QListView& view, int row)
{
    return view.model() ? view.model()->index(row, view.modelColumn(), view.rootIndex()) : QModelIndex();
}

// Selects or unselects one row as a click would; hidden rows and rows that take no selection stay.
bool chooseRow(QListView& view, const QModelIndex& index, bool selected)
{
    if (!index.isValid() || view.isRowHidden(index.row()) || !(index.flags() & Qt::ItemIsSelectable)
        || view.selectionMode() == QAbstractItemView::NoSelection || !view.selectionModel())
        return false;
    if (!selected) {
        view.selectionModel()->select(index, QItemSelectionModel::Deselect);
        return true;
    }
    const bool single = view.selectionMode() == QAbstractItemView::SingleSelection;
    view.selectionModel()->select(index, single ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select);
    return true;
}

class AccessibleListRow final : public QAccessibleInterface,
                                public QAccessibleTableCellInterface,
                                public QAccessibleActionInterface {
public:
    AccessibleListRow(QListView* view, const QModelIndex& index)
        : view(view)
        , index(index)
    {
    }

    int modelRow() const { return index.isValid() ? index.row() : -1; }

    bool isValid() const override { return view && index.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view ? view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        // A row drawn by a widget reads as that widget.
        const QWidget* drawn = view->indexWidget(index);
        if (t == QAccessible::Name) {
            for (const int role : { int(Qt::AccessibleTextRole), int(Qt::DisplayRole) })
                if (const QString text = index.data(role).toString(); !text.isEmpty())
                    return text;
            return drawn ? drawn->accessibleName() : QString();
        }
        if (t == QAccessible::Description) {
            const QString hint = index.data(Qt::AccessibleDescriptionRole).toString();
            return hint.isEmpty() && drawn ? drawn->accessibleDescription() : hint;
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override { }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect row = view->visualRect(index);
        return row.isEmpty() ? QRect() : QRect(view->viewport()->mapToGlobal(row.topLeft()), row.size());
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        // Not on show: a list in a closed window or drop-down or on a page put aside, a hidden row,
        // or a row scrolled out of the list's view.
        if (!view->isVisible() || view->isRowHidden(index.row())
            || !view->viewport()->rect().intersects(view->visualRect(index)))
            s.invisible = true;
        const Qt::ItemFlags flags = index.flags();
        s.disabled = !(flags & Qt::ItemIsEnabled);
        s.selectable = s.focusable = bool(flags & Qt::ItemIsSelectable);
        s.selected = isSelected();
        s.focused = view->hasFocus() && view->currentIndex() == index;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && view->selectionModel() && view->selectionModel()->isSelected(index);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return isValid() ? int(shownRows(*view).indexOf(index.row())) : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override
    {
        return isValid() && (index.flags() & Qt::ItemIsSelectable) ? QStringList { toggleAction() } : QStringList();
    }
    void doAction(const QString& name) override
    {
        if (name == toggleAction() && isValid())
            chooseRow(*view, index, !isSelected());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QListView> view;
    QPersistentModelIndex index;
};

class AccessibleItemList final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleItemList(QListView* view)
        : QAccessibleWidget(view, QAccessible::List)
    {
    }
    ~AccessibleItemList() override
    {
        for (const QAccessible::Id id : std::as_const(rows))
            QAccessible::deleteAccessibleInterface(id);
    }

    QListView& view() const { return *static_cast<QListView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Its rows only: the viewport and scroll bars are no items.
    int childCount() const override { return int(shownRows(view()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<int> shown = shownRows(view());
        return index >= 0 && index < shown.size() ? row(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto found = rows.cbegin(); found != rows.cend(); ++found)
            if (QAccessible::accessibleInterface(found.value()) == child)
                return int(shownRows(view()).indexOf(found.key()));
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex at = view().indexAt(view().viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() && !view().isRowHidden(at.row()) ? row(at.row()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int rowIndex, int column) const override
    {
        return column == 0 ? child(rowIndex) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const int shown : selectedRows())
            cells.append(child(shown));
        return cells;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return 1; }
    int rowCount() const override { return childCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> selected;
        const QList<int> shown = shownRows(view());
        for (int i = 0; i < shown.size(); ++i)
            if (isRowSelected(i))
                selected.append(i);
        return selected;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int shown) const override
    {
        const QList<int> all = shownRows(view());
        return shown >= 0 && shown < all.size() && view().selectionModel()
            && view().selectionModel()->isSelected(modelIndex(view(), all[shown]));
    }
    bool selectRow(int shown) override { return chooseShown(shown, true); }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int shown) override { return chooseShown(shown, false); }
    bool unselectColumn(int) override { return false; }

    // Rows came or went: forget those whose row moved or is gone.
    void modelChange(QAccessibleTableModelChangeEvent*) override
    {
        for (auto kept = rows.begin(); kept != rows.end();) {
            const auto* known = static_cast<AccessibleListRow*>(QAccessible::accessibleInterface(kept.value()));
            if (known && known->modelRow() == kept.key()) {
                ++kept;
                continue;
            }
            QAccessible::deleteAccessibleInterface(kept.value());
            kept = rows.erase(kept);
        }
    }

private:
    bool chooseShown(int shown, bool selected)
    {
        const QList<int> all = shownRows(view());
        return shown >= 0 && shown < all.size() && chooseRow(view(), modelIndex(view(), all[shown]), selected);
    }

    // One interface per row, kept while the row stays where it is, so a reader's node stays valid.
    QAccessibleInterface* row(int modelRow) const
    {
        if (const auto found = rows.constFind(modelRow); found != rows.cend()) {
            auto* known = static_cast<AccessibleListRow*>(QAccessible::accessibleInterface(found.value()));
            if (known && known->modelRow() == modelRow)
                return known;
            QAccessible::deleteAccessibleInterface(found.value());
        }
        auto* made = new AccessibleListRow(&view(), modelIndex(view(), modelRow));
        rows.insert(modelRow, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    mutable QHash<int, QAccessible::Id> rows;
};

// Asked with the view's own class (QListWidget, a drop-down's list), before Qt's own factory meets
// a class it knows further up.
QAccessibleInterface* itemListFactory(const QString& className, QObject* object)
{
    auto* view = qobject_cast<QListView*>(object);
    if (!view || className != QLatin1String(object->metaObject()->className())
        || view->viewMode() != QListView::ListMode)
        return nullptr;
    return new AccessibleItemList(view);
}

} // namespace

void installAccessibleItemLists()
{
    static const bool installed = [] {
        QAccessible::installFactory(itemListFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace mewt
