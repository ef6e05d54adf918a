#include "popover/ClockNameField.h"

#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>

namespace mewt {

ClockNameField::ClockNameField(QWidget* parent)
    : InlineEditor(captionFont(QFont::DemiBold), QStringLiteral("pencil"), editorWidth, parent)
{
    setObjectName(QStringLiteral("clockNameField"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    retranslate();
}

void ClockNameField::showName(const QString& name, const QColor& foreground, const QColor& secondary)
{
    if (name != draft) {
        draft = name;
        showLabel();
    }
    button->setColor(name.isEmpty() ? secondary : foreground);
    field->setColors(foreground, secondary);
    field->showText(name);
}

void ClockNameField::setEditing(bool editing)
{
    showEditor(editing);
}

void ClockNameField::showLabel()
{
    const QString addName = QCoreApplication::translate("mewt", "add name");
    button->setLabel(draft.isEmpty() ? addName : draft);
    button->setAccessibleName(draft.isEmpty() ? addName : QCoreApplication::translate("mewt", "edit session name"));
}

void ClockNameField::retranslate()
{
    showLabel();
    button->setAccessibleDescription(QCoreApplication::translate("mewt", "edits the name shown while the timer runs"));
    button->setToolTip(QCoreApplication::translate("mewt", "edit session name").toHtmlEscaped());
    field->setPlaceholderText(QCoreApplication::translate("mewt", "add name"));
    field->setAccessibleName(QCoreApplication::translate("mewt", "session name"));
    field->setAccessibleDescription(
        QCoreApplication::translate("mewt", "shown while running and in the completion notification"));
}

} // namespace mewt
