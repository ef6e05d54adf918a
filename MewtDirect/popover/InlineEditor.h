#pragma once

#include <QWidget>

namespace mewt {

class InlineLabelButton;
class InlineTextField;

// A label button that the owner turns into a text field of a fixed width, both on one height so
// that opening the field moves nothing below it. Presses, edits, Return and the field's focus are
// handed out; the owner decides when it edits and what an edit does.
class InlineEditor : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InlineEditor)

public:
    bool isEditing() const;
    InlineLabelButton& label() const { return *button; }
    InlineTextField& editor() const { return *field; }

Q_SIGNALS:
    void pressed();
    void textEdited(const QString& text);
    void returnPressed();
    void focusChanged(bool focused);

protected:
    // `glyph` follows the label; empty shows none.
    InlineEditor(const QFont& font, const QString& glyph, int editorWidth, QWidget* parent);

    // Shows the field, every character selected as in a field just clicked into, or the label.
    void showEditor(bool editing);
    virtual void retranslate() = 0;
    void changeEvent(QEvent* event) override;

    InlineLabelButton* button = nullptr;
    InlineTextField* field = nullptr;
};

} // namespace mewt
