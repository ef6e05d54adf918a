#include "popover/TimerPopoverView.h"

#include "platform/Clock.h"
#include "popover/TimerPopoverPresentation.h"

namespace mewt {

namespace {
constexpr int initialContentHeight = 132;
} // namespace

TimerPopoverView::TimerPopoverView(const TimerPopoverStores& stores, TimerPopoverPresentation& presentation,
    TactileSoundPlayer* soundPlayer, Clock& clock, QWidget* parent)
    : QWidget(parent), stores(stores), presentation(presentation), soundPlayer(soundPlayer), clock(clock)
{
    setFixedWidth(contentWidth);
}

TimerPopoverView::~TimerPopoverView() = default;

void TimerPopoverView::setSystemColorScheme(ColorScheme scheme)
{
    systemScheme = scheme;
}

QSize TimerPopoverView::sizeHint() const
{
    return { contentWidth, initialContentHeight };
}

} // namespace mewt
