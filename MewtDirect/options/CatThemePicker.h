#pragma once

#include "options/TilePicker.h"

namespace mewt {

// The row of cat paws on the appearance page, one tile per theme in the model's order. The chosen
// cat sits on a tile tinted with the accent colour, framed in it and marked with a check.
class CatThemePicker final : public TilePicker {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatThemePicker)

public:
    static constexpr int itemWidth = 28;
    static constexpr int itemHeight = 34;
    static constexpr int itemSpacing = 3;

    explicit CatThemePicker(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
};

} // namespace mewt
