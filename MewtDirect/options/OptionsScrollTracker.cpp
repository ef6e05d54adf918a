#include "options/OptionsScrollTracker.h"

#include "options/OptionsChromeState.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace mewt {

OptionsScrollTracker::OptionsScrollTracker(OptionsChromeState& chromeState, QObject* parent)
    : QObject(parent)
    , chromeState(chromeState)
{
}

OptionsScrollTracker::~OptionsScrollTracker()
{
    detach();
}

void OptionsScrollTracker::attach(QAbstractScrollArea* area, int topInset)
{
    trackedTopInset = topInset;
    if (area != nullptr && area == tracked) {
        evaluate();
        return;
    }
    detach();
    if (area == nullptr) {
        chromeState.setDetailScrolled(false);
        return;
    }
    tracked = area;
    scrolled = connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this, &OptionsScrollTracker::evaluate);
    // A page torn down while scrolled must not leave the title bar's backdrop on.
    destroyed = connect(area, &QObject::destroyed, this, [this] {
        detach();
        chromeState.setDetailScrolled(false);
    });
    evaluate();
}

void OptionsScrollTracker::detach()
{
    disconnect(scrolled);
    disconnect(destroyed);
    tracked = nullptr;
}

void OptionsScrollTracker::evaluate()
{
    if (!tracked)
        return;
    chromeState.setDetailScrolled(isScrolled(tracked->verticalScrollBar()->value(), trackedTopInset));
}

} // namespace mewt
