#pragma once

#include "options/TilePicker.h"

namespace mewt {

// The eight cat beds in two rows of four: each tile shows the bed's picture from our sprite sheet
// and its name; the chosen bed's tile is filled and framed in the accent colour.
class CatBedGridPicker final : public TilePicker {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatBedGridPicker)

public:
    static constexpr int columnCount = 4;
    static constexpr int gridSpacing = 6;
    static constexpr int cellPadding = 5;
    static constexpr int pictureHeight = 24;
    static constexpr int nameGap = 3;

    explicit CatBedGridPicker(QWidget* parent = nullptr);
};

} // namespace mewt
