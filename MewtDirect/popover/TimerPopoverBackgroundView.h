#pragma once

#include "model/ColorScheme.h"

#include <QWidget>

namespace mewt {

class PopoverAppearanceStore;
class ThemeStore;

// The panel's rounded outer surface under the root view, in the palette's outer colour.
class TimerPopoverBackgroundView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverBackgroundView)

public:
    static constexpr int cornerRadius = 14;

    TimerPopoverBackgroundView(
        ThemeStore& themeStore, PopoverAppearanceStore& appearanceStore, QWidget* parent = nullptr);

    void setSystemColorScheme(ColorScheme scheme);
    QColor fillColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ThemeStore& themeStore;
    PopoverAppearanceStore& appearanceStore;
    ColorScheme systemScheme = ColorScheme::light;
};

} // namespace mewt
