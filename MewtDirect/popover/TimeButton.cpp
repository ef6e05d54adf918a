#include "popover/TimeButton.h"

#include "artwork/FocusRing.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace mewt {

TimeButton::TimeButton(QWidget* parent)
    : QAbstractButton(parent)
    , label(new PhaseTimeBlock(this))
{
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFeedbackRole(this, FeedbackRole::button);
    setAccessibleRole(this, QAccessible::Button);
    setAccessibleChildrenRead(this, label->spokenLabels());
}

void TimeButton::setAccessibleValue(const QString& value)
{
    setPopoverAccessibleValue(this, value);
}

QSize TimeButton::sizeHint() const
{
    return label->sizeHint();
}

namespace {
constexpr double ringRadius = 8.0;
} // namespace

// The block paints the time; the button only its ring, under the block's transparent ground.
void TimeButton::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    paintFocusRing(painter, *this, rect(), ringRadius);
}

void TimeButton::keyPressEvent(QKeyEvent* event)
{
    if (!pressOnReturn(*this, *event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace mewt
