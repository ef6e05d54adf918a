#pragma once

#include <QRectF>

class QAbstractButton;
class QColor;
class QKeyEvent;
class QPainter;
class QWidget;

namespace mewt {

inline constexpr double focusRingWidth = 2.0;

// The keyboard's place on a painted control: a ring just inside `rect` in the widget's highlight
// colour (the views set it to the app's accent), drawn only while the widget has the keyboard and it came
// there by keyboard.
void paintFocusRing(QPainter& painter, const QWidget& widget, const QRectF& rect, double radius);
// The same in `color`, for a place already filled with the highlight.
void paintFocusRing(QPainter& painter, const QWidget& widget, const QRectF& rect, double radius, const QColor& color);

// Return and Enter press a focused painted button as Space does (Qt's buttons take only Space);
// true when the key was taken.
bool pressOnReturn(QAbstractButton& button, const QKeyEvent& event);

} // namespace mewt
