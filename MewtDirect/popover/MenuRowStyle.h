#pragma once

#include <QProxyStyle>

namespace mewt {

// Menu rows that are on or off (toggles and the choices of a picker) show their state one way: a
// check mark at the trailing end when on, nothing when off, with an icon or without. The style's own
// marks would show it three ways: a sunken frame round an icon, a check box or a radio button.
class MenuRowStyle final : public QProxyStyle {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MenuRowStyle)

public:
    static constexpr int markColumnWidth = 22;

    MenuRowStyle();

    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
    QSize sizeFromContents(
        ContentsType type, const QStyleOption* option, const QSize& size, const QWidget* widget) const override;

    // Where the mark of a row drawn in `row` goes.
    static QRect markRect(const QRect& row);
};

} // namespace mewt
