#pragma once

#include <QLineEdit>

namespace mewt {

// Store -> field, without echoing an edit back; the cursor moves to `cursor` when given, otherwise
// it stays where it was.
void showQuietly(QLineEdit& field, const QString& text, int cursor = -1);

// A borderless one-line field that stands in for a label while the user types. Return is answered
// here (returnPressed) and goes no further: the field may close while it answers, and the popover's
// own Return would then start a timer a second time.
class InlineTextField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InlineTextField)

public:
    InlineTextField(const QFont& font, int width, QWidget* parent = nullptr);

    void showText(const QString& text, int cursor = -1) { showQuietly(*this, text, cursor); }
    void setColors(const QColor& text, const QColor& placeholder);

Q_SIGNALS:
    // Keyboard focus came or went. A context menu opened on the field takes focus only for a moment
    // and is not reported as a loss.
    void focusChanged(bool focused);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace mewt
