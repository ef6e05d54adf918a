#pragma once

#include "popover/InlineEditor.h"

namespace mewt {

// The clock face's time: the default duration of the next start as a button until it is pressed;
// then a text field for a number of minutes. The owner decides when it edits and commits.
class ClockTimeField final : public InlineEditor {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockTimeField)

public:
    static constexpr int editorWidth = 116;

    explicit ClockTimeField(QWidget* parent = nullptr);

    void showTime(const QString& text);
    void setColor(const QColor& color);
    // Shows the field, holding `draft` with every character selected, or the time.
    void setEditing(bool editing, const QString& draft);

private:
    void retranslate() override;
};

} // namespace mewt
