#pragma once

#include "options/OptionsSetting.h"

#include <QWidget>

class QLabel;

namespace mewt {

// One search hit: its category's tile, the setting's title (up to two lines) and the category's
// title. Selection and clicks belong to the list that holds it.
class OptionsSearchResultRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsSearchResultRow)

public:
    explicit OptionsSearchResultRow(OptionsSetting setting, QWidget* parent = nullptr);

    OptionsSetting setting() const { return shownSetting; }
    // Where the tile is painted, in the row's coordinates.
    QRect iconRect() const;
    // On the list's selection, both lines take its text colour.
    void setChosen(bool chosen);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();

    OptionsSetting shownSetting;
    QLabel* title = nullptr;
    QLabel* category = nullptr;
};

} // namespace mewt
