#include "options/SegmentedPicker.h"

#include "options/TextStyle.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QToolButton>

namespace mewt {

namespace {

constexpr char valueProperty[] = "mewtSegmentValue";
constexpr int segmentMinimumWidth = 72;

} // namespace

SegmentedPicker::SegmentedPicker(QWidget* parent)
    : QWidget(parent)
    , group(new QButtonGroup(this))
    , row(new QHBoxLayout(this))
{
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    // Exclusivity is kept by hand, so a store value no segment carries can leave all unchecked.
    group->setExclusive(false);
    // `toggled`, not `clicked`: a screen reader's toggle action flips a segment without a click.
    // setCurrentValue() checks under a blocker, so every toggle seen here is the user's.
    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton* toggled, bool on) {
        const QString value = toggled->property(valueProperty).toString();
        setCurrentValue(value); // toggling the checked segment must not uncheck it
        if (on)
            Q_EMIT activated(value);
    });
}

void SegmentedPicker::addSegment(const QString& text, const QString& value)
{
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFont(textStyleFont(TextStyle::callout));
    button->setMinimumWidth(segmentMinimumWidth);
    button->setProperty(valueProperty, value);
    button->setAccessibleName(text);
    group->addButton(button);
    row->addWidget(button);
}

QString SegmentedPicker::currentValue() const
{
    for (QAbstractButton* button : group->buttons()) {
        if (button->isChecked())
            return button->property(valueProperty).toString();
    }
    return {};
}

void SegmentedPicker::setCurrentValue(const QString& value)
{
    const QSignalBlocker quiet(group);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(button->property(valueProperty).toString() == value);
    tintSegments();
}

void SegmentedPicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        tintSegments();
    QWidget::changeEvent(event);
}

void SegmentedPicker::tintSegments()
{
    for (QAbstractButton* button : group->buttons()) {
        QPalette colours = palette();
        if (button->isChecked()) {
            colours.setColor(QPalette::Button, colours.color(QPalette::Highlight));
            colours.setColor(QPalette::ButtonText, colours.color(QPalette::HighlightedText));
        }
        button->setPalette(colours);
    }
}

int SegmentedPicker::count() const
{
    return int(group->buttons().size());
}

QWidget* SegmentedPicker::segment(int index) const
{
    return group->buttons().value(index);
}

} // namespace mewt
