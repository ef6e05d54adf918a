#pragma once

#include "model/CatTheme.h"
#include "shell/StatusTitle.h"

#include <QWidget>

class QPainter;

namespace mewt {

// The menu-bar paw: the selected cat's paw and, beside it, the remaining time, on a small rounded
// pill that reads on light and dark top bars alike. A left press on it asks for the pull handle.
// Its object name marks it as the paw control, so pressing it makes no control sounds.
class PawStatusView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PawStatusView)

public:
    static constexpr int barHeight = 24;
    static constexpr int pawSize = 18;

    explicit PawStatusView(const CatTheme& theme, QWidget* parent = nullptr);

    const CatTheme& theme() const { return currentTheme; }
    void setTheme(const CatTheme& theme);
    const StatusTitle& title() const { return currentTitle; }
    void setTitle(const StatusTitle& title);
    bool isDark() const { return dark; }
    void setDark(bool value);
    // Without a compositor the window cannot be see-through, so the pill is painted solid and the
    // window is cut to its shape.
    bool hasOpaqueBackground() const { return opaque; }
    void setOpaqueBackground(bool value);

    // While a pull is under way the paw hangs at the end of the arm: its end of the pill stays
    // empty, so no edge of it shows beside the arm that passes over that place.
    void setPawLifted(bool value);

    // Where the paw is drawn, in this view's coordinates.
    QRect pawRect() const;
    // The pill's outline, in this view's coordinates.
    QPainterPath pillPath() const;
    // What of the pill is painted: all of it unless the paw is lifted.
    QPainterPath shownPath() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // A screen reader's press: the controls open without the pull handle.
    Q_INVOKABLE void performAccessibleAction();

Q_SIGNALS:
    void pawPressed();
    void accessibleShowControlsRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QFont titleFont() const;
    int titleWidth() const;
    void updateAccessibleText();

    CatTheme currentTheme;
    StatusTitle currentTitle;
    bool dark = false;
    bool opaque = false;
    bool lifted = false;
    bool hovered = false;
    bool pressed = false;
    StatusTitle::Kind toldKind = StatusTitle::Kind::none;
};

} // namespace mewt
