#pragma once

#include "options/SettingBinding.h"

#include <QColor>
#include <QList>
#include <QWidget>

namespace mewt {

class PickerTile;

// A group of picture tiles of which one is chosen, in rows of `columns`. It holds no choice of its
// own: `setSelection` shows what the store holds (an id no tile has shows none chosen) and
// `chosen` reports a user's click or key, also for the tile already chosen. Arrow keys move to
// the neighbouring tile and choose it, Home and End to the first and last; Tab enters the group
// at the chosen tile, as in a group of radio buttons.
class TilePicker : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TilePicker)

public:
    QString selection() const { return selectedId; }
    void setSelection(const QString& id);
    QColor accentColor() const { return accent; }
    void setAccentColor(const QColor& color);

    const QList<PickerTile*>& tiles() const { return pickerTiles; }
    PickerTile* tile(const QString& id) const;

Q_SIGNALS:
    void chosen(const QString& id);

protected:
    TilePicker(int columns, QWidget* parent);
    // Takes the tile into the group; the subclass places it in its layout.
    void addTile(PickerTile* tile);

private:
    void moveFrom(PickerTile* tile, int key);
    void updateTabStop();

    int columns;
    QList<PickerTile*> pickerTiles;
    QString selectedId;
    QColor accent;
};

// Shows the bound id and writes the id of each tile the user chooses.
void bindPicker(TilePicker* picker, SettingBinding<QString> binding);

} // namespace mewt
