#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QAbstractScrollArea;

namespace mewt {

class OptionsChromeState;

// Keeps OptionsChromeState::isDetailScrolled true exactly while the detail page is scrolled away
// from its top. The root view owns the page's scroll area and hands it in whenever the page
// changes, so no search through the window is needed.
class OptionsScrollTracker final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsScrollTracker)

public:
    explicit OptionsScrollTracker(OptionsChromeState& chromeState, QObject* parent = nullptr);
    ~OptionsScrollTracker() override;

    // More than a point of content above the visible top counts as scrolled.
    static bool isScrolled(qreal offset, qreal topInset) { return offset + topInset > 1.0; }

    // Follows the area (content shown under a bar `topInset` high rests at -topInset). The same
    // area again only re-evaluates; null forgets the tracked area and clears the flag.
    void attach(QAbstractScrollArea* area, int topInset = 0);
    // Stops following, leaving the flag as it is.
    void detach();
    QAbstractScrollArea* trackedArea() const { return tracked; }

    void evaluate();

private:
    OptionsChromeState& chromeState;
    QPointer<QAbstractScrollArea> tracked;
    int trackedTopInset = 0;
    QMetaObject::Connection scrolled;
    QMetaObject::Connection destroyed;
};

} // namespace mewt
