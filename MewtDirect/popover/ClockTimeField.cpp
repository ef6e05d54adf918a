#include "popover/ClockTimeField.h"

#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>

namespace mewt {

ClockTimeField::ClockTimeField(QWidget* parent)
    : InlineEditor(phaseTimeFont(), QString(), editorWidth, parent)
{
    setObjectName(QStringLiteral("clockTimeField"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    retranslate();
}

void ClockTimeField::showTime(const QString& text)
{
    button->setLabel(text);
    setPopoverAccessibleValue(button, text);
}

void ClockTimeField::setColor(const QColor& color)
{
    button->setColor(color);
    field->setColors(color, color);
}

void ClockTimeField::setEditing(bool editing, const QString& draft)
{
    if (editing && !isEditing())
        field->showText(draft);
    showEditor(editing);
}

void ClockTimeField::retranslate()
{
    button->setAccessibleName(QCoreApplication::translate("mewt", "edit timer duration"));
    button->setAccessibleDescription(QCoreApplication::translate("mewt", "changes the configured timer duration"));
    button->setToolTip(QCoreApplication::translate("mewt", "edit timer duration").toHtmlEscaped());
    const QString typing = QCoreApplication::translate("mewt", "type minutes or MM:00, then press return");
    field->setAccessibleName(QCoreApplication::translate("mewt", "timer duration"));
    field->setAccessibleDescription(typing);
    field->setToolTip(typing.toHtmlEscaped());
}

} // namespace mewt
