#include "options/TilePicker.h"

#include "options/PickerTile.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>

namespace mewt {

namespace {

QAccessibleInterface* tilePickerAccessibleFactory(const QString& className, QObject* object)
{
    // A group to screen readers, named by the page ("cat", "bed"), holding its radio buttons.
    if (className == QLatin1String("mewt::TilePicker") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

TilePicker::TilePicker(int columns, QWidget* parent)
    : QWidget(parent)
    , columns(std::max(1, columns))
{
    static const bool installed = (QAccessible::installFactory(tilePickerAccessibleFactory), true);
    Q_UNUSED(installed)
}

void TilePicker::addTile(PickerTile* tile)
{
    tile->setParent(this);
    tile->setSelected(tile->id() == selectedId);
    tile->setAccentColor(accent);
    pickerTiles.append(tile);
    connect(tile, &PickerTile::clicked, this, [this, tile] { Q_EMIT chosen(tile->id()); });
    connect(tile, &PickerTile::arrowPressed, this, [this, tile](int key) { moveFrom(tile, key); });
    updateTabStop();
}

PickerTile* TilePicker::tile(const QString& id) const
{
    const auto found
        = std::find_if(pickerTiles.begin(), pickerTiles.end(), [&](PickerTile* t) { return t->id() == id; });
    return found == pickerTiles.end() ? nullptr : *found;
}

void TilePicker::setSelection(const QString& id)
{
    selectedId = id;
    for (PickerTile* t : pickerTiles)
        t->setSelected(t->id() == id);
    updateTabStop();
}

void TilePicker::setAccentColor(const QColor& color)
{
    accent = color;
    for (PickerTile* t : pickerTiles)
        t->setAccentColor(color);
}

void TilePicker::moveFrom(PickerTile* from, int key)
{
    const int count = int(pickerTiles.size());
    const int index = int(pickerTiles.indexOf(from));
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    int target = index;
    switch (key) {
    case Qt::Key_Left: target = index + (mirrored ? 1 : -1); break;
    case Qt::Key_Right: target = index + (mirrored ? -1 : 1); break;
    case Qt::Key_Up: target = index - columns; break;
    case Qt::Key_Down: target = index + columns; break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = count - 1; break;
    default: return;
    }
    // At an edge the key does nothing, so a held key never wraps round and keeps choosing.
    if (target < 0 || target >= count || target == index)
        return;
    PickerTile* next = pickerTiles.at(target);
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

void TilePicker::updateTabStop()
{
    // Only one tile is a Tab stop: the chosen one, or the first when none is chosen.
    PickerTile* stop = tile(selectedId);
    if (!stop && !pickerTiles.isEmpty())
        stop = pickerTiles.first();
    for (PickerTile* t : pickerTiles)
        t->setFocusPolicy(t == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void bindPicker(TilePicker* picker, SettingBinding<QString> binding)
{
    const auto refresh = [picker, read = binding.read] { picker->setSelection(read()); };
    QObject::connect(picker, &TilePicker::chosen, picker, [write = binding.write](const QString& id) { write(id); });
    binding.observe(picker, refresh);
    refresh();
}

} // namespace mewt
