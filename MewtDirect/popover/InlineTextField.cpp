#include "popover/InlineTextField.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace mewt {

InlineTextField::InlineTextField(const QFont& font, int width, QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setFont(font);
    setAlignment(Qt::AlignCenter);
    setFixedWidth(width);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
}

void showQuietly(QLineEdit& field, const QString& text, int cursor)
{
    const QSignalBlocker quiet(&field);
    const int at = cursor >= 0 ? cursor : field.cursorPosition();
    if (text != field.text())
        field.setText(text);
    else if (cursor < 0)
        return;
    field.setCursorPosition(std::min<int>(at, int(text.size())));
}

void InlineTextField::setColors(const QColor& textColor, const QColor& placeholder)
{
    QPalette p = palette();
    if (p.color(QPalette::Text) == textColor && p.color(QPalette::PlaceholderText) == placeholder)
        return;
    p.setColor(QPalette::Text, textColor);
    p.setColor(QPalette::PlaceholderText, placeholder);
    setPalette(p);
}

void InlineTextField::keyPressEvent(QKeyEvent* event)
{
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void InlineTextField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    Q_EMIT focusChanged(true);
}

void InlineTextField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        Q_EMIT focusChanged(false);
}

} // namespace mewt
