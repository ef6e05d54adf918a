#include "popover/CapsuleButton.h"

#include "artwork/FocusRing.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverMetrics.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace mewt {

namespace {
constexpr int capsuleHeight = 20;
constexpr int horizontalPadding = 7;
constexpr double fillOpacity = 0.07;
constexpr double pressedFillOpacity = 0.14;
} // namespace

CapsuleButton::CapsuleButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFont(captionFont(QFont::DemiBold));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFeedbackRole(this, FeedbackRole::button);
}

QSize CapsuleButton::sizeHint() const
{
    const double textWidth = QFontMetricsF(font()).horizontalAdvance(text());
    return { static_cast<int>(std::ceil(textWidth)) + 2 * horizontalPadding, capsuleHeight };
}

void CapsuleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(ink, isDown() ? pressedFillOpacity : fillOpacity));
    const QRectF capsule(rect());
    painter.drawRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);
    painter.setPen(ink);
    painter.drawText(capsule, Qt::AlignCenter, text());
    paintFocusRing(painter, *this, capsule, capsule.height() / 2);
}

void CapsuleButton::keyPressEvent(QKeyEvent* event)
{
    if (!pressOnReturn(*this, *event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace mewt
