#include "popover/PhaseTimeBlock.h"

#include "artwork/Animation.h"
#include "artwork/CharacterSlotText.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int headerSpacing = 4;
constexpr double timeRollSeconds = 0.2;
// However long the session name, the title keeps this share of the header.
constexpr double titleShare = 0.6;

QLabel* plainLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // names are the user's text, never markup
    label->setFont(captionFont(QFont::DemiBold));
    // Elided to the width there is, so a long name never widens the popover.
    label->setMinimumWidth(1);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    return label;
}

void setColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
} // namespace

PhaseTimeBlock::PhaseTimeBlock(QWidget* parent)
    : QWidget(parent)
    , header(new QWidget(this))
    , name(plainLabel(header))
    , separator(plainLabel(header))
    , title(plainLabel(header))
    , time(new CharacterSlotText(QString(), true, this))
    , status(plainLabel(this))
{
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->setSpacing(headerSpacing);
    headerRow->addWidget(name);
    headerRow->addWidget(separator);
    headerRow->addWidget(title);
    headerRow->addStretch(1);
    // Inside a button the labels would otherwise take the button's roles and its text colour.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
    separator->setText(QStringLiteral("\u00b7"));
    status->setFont(captionFont());
    time->setFont(phaseTimeFont());
    // The header, the drawn time and the status line are what a reader most wants: labels it reads.
    for (QWidget* label : spokenLabels())
        setAccessibleRole(label, QAccessible::StaticText);
    time->setRollTiming(timeRollSeconds, easeInOutValue);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header);
    column->addWidget(time, 0, Qt::AlignLeft);
    column->addWidget(status);
    setContent(shown);
}

bool PhaseTimeBlock::showsHeader() const
{
    return !header->isHidden();
}

QList<QWidget*> PhaseTimeBlock::spokenLabels() const
{
    return { name, title, time, status };
}

void PhaseTimeBlock::setContent(const Content& content)
{
    if (content == shown && !time->value().isEmpty())
        return;
    shown = content;
    const bool full = content.form == Form::full;
    const bool hasName = full && content.activeName && !content.activeName->isEmpty();
    const bool hasTitle = content.title.has_value();
    name->setVisible(hasName);
    separator->setVisible(hasName && hasTitle);
    title->setVisible(hasTitle);
    header->setVisible(hasName || hasTitle);
    elideHeader();
    time->setValue(content.time);
    setPopoverAccessibleTime(time, content.time);
    status->setVisible(full);
    status->setText(content.status);
    setPopoverAccessibleValue(status, content.status);
}

void PhaseTimeBlock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    elideHeader();
}

void PhaseTimeBlock::elideHeader()
{
    const bool hasName = !name->isHidden();
    const QString fullName = hasName ? shown.activeName.value_or(QString()) : QString();
    const QString fullTitle = shown.title.value_or(QString());
    const QFontMetrics metrics(name->font());
    int room = width();
    if (hasName && !separator->isHidden())
        room -= metrics.horizontalAdvance(separator->text()) + 2 * headerSpacing;
    const int nameWidth = hasName ? metrics.horizontalAdvance(fullName) : 0;
    const int titleRoom = std::max(room - nameWidth, static_cast<int>(room * titleShare));
    const QString shownTitle = metrics.elidedText(fullTitle, Qt::ElideRight, std::max(titleRoom, 0));
    const int nameRoom = room - metrics.horizontalAdvance(shownTitle);
    name->setText(metrics.elidedText(fullName, Qt::ElideRight, std::max(nameRoom, 0)));
    title->setText(shownTitle);
    // A screen reader reads the whole texts, told only of a real change (this runs every tick).
    if (name->accessibleName() != fullName)
        name->setAccessibleName(fullName);
    if (title->accessibleName() != fullTitle)
        title->setAccessibleName(fullTitle);
}

void PhaseTimeBlock::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    applyColors();
}

void PhaseTimeBlock::applyColors()
{
    setColor(name, colors.foregroundColor);
    setColor(separator, colors.secondaryTextColor);
    setColor(title, colors.accentTextColor);
    setColor(time, colors.foregroundColor);
    setColor(status, colors.secondaryTextColor);
}

} // namespace mewt
