#pragma once

#include "model/ColorScheme.h"
#include "popover/TimerPopoverStores.h"
#include "pull/PomodoroDurationKind.h"

#include <QPointF>
#include <QWidget>
#include <functional>

namespace mewt {

class Clock;
class TactileSoundPlayer;
class TimerPopoverPresentation;

// The one view the popover hosts, attached under the paw or detached on the desktop. Always
// contentWidth wide; its height follows what it shows.
class TimerPopoverView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverView)

public:
    static constexpr int contentWidth = 300;

    TimerPopoverView(const TimerPopoverStores& stores, TimerPopoverPresentation& presentation,
        TactileSoundPlayer* soundPlayer, Clock& clock, QWidget* parent = nullptr);
    ~TimerPopoverView() override;

    // The desktop's scheme, for the "system" popover appearance.
    void setSystemColorScheme(ColorScheme scheme);

    QSize sizeHint() const override;

    std::function<void()> onShowOptions;
    std::function<void(PomodoroDurationKind, QPointF)> onDurationPullBegan;
    std::function<void(QPointF)> onDurationPullChanged;
    std::function<void(QPointF)> onDurationPullEnded;

Q_SIGNALS:
    // The height the content wants changed.
    void intrinsicSizeChanged(QSize size);

private:
    TimerPopoverStores stores;
    TimerPopoverPresentation& presentation;
    TactileSoundPlayer* soundPlayer;
    Clock& clock;
    ColorScheme systemScheme = ColorScheme::light;
};

} // namespace mewt
