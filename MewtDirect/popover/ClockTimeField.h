#pragma once

#include <QWidget>

namespace mewt {

class InlineLabelButton;
class InlineTextField;

// The clock face's time: the default duration of the next start as a button until it is pressed;
// then a text field for a number of minutes. The owner decides when it edits and commits.
class ClockTimeField final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockTimeField)

public:
    static constexpr int editorWidth = 116;

    explicit ClockTimeField(QWidget* parent = nullptr);

    void showTime(const QString& text);
    void setColor(const QColor& color);
    // Shows the field, holding `draft` with every character selected, or the time.
    void setEditing(bool editing, const QString& draft);
    bool isEditing() const;

    InlineLabelButton& label() const { return *button; }
    InlineTextField& editor() const { return *field; }

Q_SIGNALS:
    void pressed();
    void draftEdited(const QString& text);
    void returnPressed();
    void focusChanged(bool focused);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    InlineLabelButton* button = nullptr;
    InlineTextField* field = nullptr;
};

} // namespace mewt
