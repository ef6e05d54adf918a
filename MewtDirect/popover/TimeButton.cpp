#include "popover/TimeButton.h"

#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"

#include <QAccessible>
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
    setFocusPolicy(Qt::NoFocus);
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

void TimeButton::paintEvent(QPaintEvent*) { }

} // namespace mewt
