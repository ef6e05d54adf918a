#include "popover/InlineLabelButton.h"

#include "artwork/FocusRing.h"
#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace mewt {

namespace {
constexpr double pressedOpacity = 0.5;
constexpr double focusRingRadius = 5.0;
// The glyph is as tall as the letters above the baseline, so it reads as part of the line.
constexpr double glyphToFontSize = 0.9;
} // namespace

InlineLabelButton::InlineLabelButton(const QFont& font, const QString& glyph, QWidget* parent)
    : QAbstractButton(parent)
    , glyphName(glyph)
{
    setFont(font);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFeedbackRole(this, FeedbackRole::button);
    setAccessibleRole(this, QAccessible::Button);
}

void InlineLabelButton::setLabel(const QString& text)
{
    if (text == shown)
        return;
    shown = text;
    updateGeometry();
    update();
}

void InlineLabelButton::setColor(const QColor& color)
{
    if (color == ink)
        return;
    ink = color;
    update();
}

int InlineLabelButton::glyphWidth() const
{
    return glyphName.isEmpty() ? 0 : int(std::lround(font().pixelSize() * glyphToFontSize));
}

QSize InlineLabelButton::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const int glyph = glyphWidth();
    const int text = int(std::ceil(metrics.horizontalAdvance(shown)));
    return { text + (glyph > 0 ? glyphGap + glyph : 0), int(std::ceil(metrics.height())) };
}

QSize InlineLabelButton::minimumSizeHint() const
{
    // Room for the glyph and an ellipsis; the rest of a long name gives way to the row.
    const QFontMetricsF metrics(font());
    const int glyph = glyphWidth();
    const int ellipsis = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("…"))));
    return { std::min(sizeHint().width(), ellipsis + (glyph > 0 ? glyphGap + glyph : 0)), sizeHint().height() };
}

void InlineLabelButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(pressedOpacity);
    const QColor color = ink.isValid() ? ink : palette().color(QPalette::WindowText);
    const QFontMetricsF metrics(font());
    const int glyph = glyphWidth();
    const double room = width() - (glyph > 0 ? glyphGap + glyph : 0);
    const QString text = metrics.elidedText(shown, Qt::ElideRight, room);
    const double textWidth = metrics.horizontalAdvance(text);
    const double total = textWidth + (glyph > 0 ? glyphGap + glyph : 0);
    const double left = std::max(0.0, (width() - total) / 2);
    painter.setFont(font());
    painter.setPen(color);
    painter.drawText(QRectF(left, 0, textWidth + 1, height()), Qt::AlignLeft | Qt::AlignVCenter, text);
    if (glyph > 0) {
        const QRectF box(left + textWidth + glyphGap, (height() - glyph) / 2.0, glyph, glyph);
        Glyph::paint(painter, glyphName, box, color);
    }
    paintFocusRing(painter, *this, rect(), focusRingRadius);
}

void InlineLabelButton::keyPressEvent(QKeyEvent* event)
{
    if (!pressOnReturn(*this, *event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace mewt
