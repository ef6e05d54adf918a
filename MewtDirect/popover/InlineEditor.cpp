#include "popover/InlineEditor.h"

#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"

#include <QEvent>
#include <QHBoxLayout>

namespace mewt {

InlineEditor::InlineEditor(const QFont& font, const QString& glyph, int editorWidth, QWidget* parent)
    : QWidget(parent)
    , button(new InlineLabelButton(font, glyph, this))
    , field(new InlineTextField(font, editorWidth, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(button, 0, Qt::AlignCenter);
    row->addWidget(field, 0, Qt::AlignCenter);
    const int height = std::max(button->sizeHint().height(), field->sizeHint().height());
    button->setFixedHeight(height);
    field->setFixedHeight(height);
    field->hide();
    connect(button, &QAbstractButton::clicked, this, &InlineEditor::pressed);
    connect(field, &QLineEdit::textEdited, this, &InlineEditor::textEdited);
    connect(field, &QLineEdit::returnPressed, this, &InlineEditor::returnPressed);
    connect(field, &InlineTextField::focusChanged, this, &InlineEditor::focusChanged);
}

bool InlineEditor::isEditing() const
{
    return !field->isHidden();
}

void InlineEditor::showEditor(bool editing)
{
    if (editing == isEditing())
        return;
    if (editing)
        field->selectAll();
    button->setVisible(!editing);
    field->setVisible(editing);
}

void InlineEditor::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
