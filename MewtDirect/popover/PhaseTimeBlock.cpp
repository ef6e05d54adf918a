#include "popover/PhaseTimeBlock.h"

#include "artwork/CharacterSlotText.h"
#include "popover/PopoverMetrics.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int headerSpacing = 4;

QLabel* plainLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // names are the user's text, never markup
    label->setFont(captionFont(QFont::DemiBold));
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

void PhaseTimeBlock::setContent(const Content& content)
{
    if (content == shown && !time->value().isEmpty())
        return;
    shown = content;
    const bool full = content.form == Form::full;
    const bool hasName = full && content.activeName && !content.activeName->isEmpty();
    const bool hasTitle = content.title.has_value();
    name->setVisible(hasName);
    name->setText(hasName ? *content.activeName : QString());
    separator->setVisible(hasName && hasTitle);
    title->setVisible(hasTitle);
    title->setText(content.title.value_or(QString()));
    header->setVisible(hasName || hasTitle);
    time->setValue(content.time);
    status->setVisible(full);
    status->setText(content.status);
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
