#pragma once

#include "model/CatTheme.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QScreen;

namespace mewt {

class PawStatusView;

// Our stand-in for a menu-bar status item: a small frameless window that stays on top, never
// takes focus, and sits at the top-right corner of the primary screen's work area (just under a
// top bar), holding the paw view. It moves with the screen's geometry and its own width.
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
    // Where the window belongs on `screen` for its current size.
    QPoint cornerPosition(const QScreen& screen) const;
    // The paw's rectangle on the screen, in global coordinates.
    QRect pawScreenRect() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followPrimaryScreen(QScreen* screen);
    void place();
    // Asks the X server once per showing: a compositor rarely comes or goes while we run.
    void checkCompositing();
    void updateMask();

    PawStatusView* pawView = nullptr;
    QPointer<QScreen> watchedScreen;
    QMetaObject::Connection screenConnection;
};

} // namespace mewt
