#pragma once

#include "model/CatTheme.h"
#include "platform/X11Dock.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QScreen;

namespace mewt {

class PawStatusView;

// Our stand-in for a menu-bar status item: a small frameless window above other windows that never
// takes focus and sits at the top-right corner of the primary screen's work area (just under a
// top bar), holding the paw view. It moves with the screen's geometry and its own width. Under a
// window manager it is a panel: a dock window on every desktop that reserves its strip of the
// screen's top, so maximised windows stay clear of it; without one it bypasses the manager. A
// manager may come at any moment (at login it starts beside us): the paw then becomes its panel.
class StatusItemWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusItemWindow)

public:
    static constexpr int screenMargin = 6;

    explicit StatusItemWindow(const CatTheme& theme, QWidget* parent = nullptr);
    ~StatusItemWindow() override;

    PawStatusView& view() const { return *pawView; }

    // Takes the paw view's size and moves back to the corner.
    void fitToContent();
    // Where the window belongs in the work area `area` for its current size; on `screen` when
    // the area has no room for it.
    QPoint cornerPosition(const QRect& area, const QRect& screen) const;
    // The paw's rectangle on the screen, in global coordinates.
    QRect pawScreenRect() const;
    // The whole control, the paw and the time beside it, in global coordinates.
    QRect controlScreenRect() const;
    // The strip the paw keeps to itself, in global coordinates: from the screen's top to
    // `screenMargin` below the window, over its columns (under a manager, the strip it reserves).
    QRect pawStrip() const;
    // While the pull's arm hangs from the paw's place (see `PawStatusView::setPawLifted`).
    void setPawLifted(bool lifted);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followPrimaryScreen(QScreen* screen);
    void place();
    // Unblended, the paw paints an opaque card and the window takes its shape.
    void checkCompositing();
    void updateMask();
    // Looks a few times, further apart each time, whether the window shows as it should, and
    // shows it again when it does not.
    void watchMapping();
    void checkMapping();

    // Whether the window is a manager's panel; it becomes one when a manager comes.
    bool managed = false;
    X11Dock dock;
    QTimer mapCheck;
    int mapChecks = 0;
    bool placePending = false;
    QRect strip;
    PawStatusView* pawView = nullptr;
    QPointer<QScreen> watchedScreen;
    QMetaObject::Connection screenConnection;
};

} // namespace mewt
