#include "popover/ClockNameField.h"

#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>

namespace mewt {

ClockNameField::ClockNameField(QWidget* parent)
    : QWidget(parent)
    , button(new InlineLabelButton(captionFont(QFont::DemiBold), QStringLiteral("pencil"), this))
    , field(new InlineTextField(captionFont(QFont::DemiBold), editorWidth, this))
{
    setObjectName(QStringLiteral("clockNameField"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(button, 0, Qt::AlignCenter);
    row->addWidget(field, 0, Qt::AlignCenter);
    // Both states stand on the same height, so opening the field moves nothing below it.
    const int height = std::max(button->sizeHint().height(), field->sizeHint().height());
    button->setFixedHeight(height);
    field->setFixedHeight(height);
    field->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(button, &QAbstractButton::clicked, this, &ClockNameField::pressed);
    connect(field, &QLineEdit::textEdited, this, &ClockNameField::nameEdited);
    connect(field, &QLineEdit::returnPressed, this, &ClockNameField::returnPressed);
    connect(field, &InlineTextField::focusChanged, this, &ClockNameField::focusChanged);
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
    if (editing == isEditing())
        return;
    if (editing)
        field->selectAll();
    button->setVisible(!editing);
    field->setVisible(editing);
}

bool ClockNameField::isEditing() const
{
    return !field->isHidden();
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

void ClockNameField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
