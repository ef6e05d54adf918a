#include "popover/ClockTimeField.h"

#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>

namespace mewt {

ClockTimeField::ClockTimeField(QWidget* parent)
    : QWidget(parent)
    , button(new InlineLabelButton(phaseTimeFont(), QString(), this))
    , field(new InlineTextField(phaseTimeFont(), editorWidth, this))
{
    setObjectName(QStringLiteral("clockTimeField"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(button, 0, Qt::AlignCenter);
    row->addWidget(field, 0, Qt::AlignCenter);
    const int height = std::max(button->sizeHint().height(), field->sizeHint().height());
    button->setFixedHeight(height);
    field->setFixedHeight(height);
    field->hide();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(button, &QAbstractButton::clicked, this, &ClockTimeField::pressed);
    connect(field, &QLineEdit::textEdited, this, &ClockTimeField::draftEdited);
    connect(field, &QLineEdit::returnPressed, this, &ClockTimeField::returnPressed);
    connect(field, &InlineTextField::focusChanged, this, &ClockTimeField::focusChanged);
    retranslate();
}

void ClockTimeField::showTime(const QString& text)
{
    button->setLabel(text);
}

void ClockTimeField::setColor(const QColor& color)
{
    button->setColor(color);
    field->setColors(color, color);
}

void ClockTimeField::setEditing(bool editing, const QString& draft)
{
    if (editing == isEditing())
        return;
    if (editing) {
        field->showText(draft);
        field->selectAll();
    }
    button->setVisible(!editing);
    field->setVisible(editing);
}

bool ClockTimeField::isEditing() const
{
    return !field->isHidden();
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

void ClockTimeField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
