#pragma once

#include "popover/InlineEditor.h"

namespace mewt {

// The clock face's name row: the draft name with a pencil, or "add name", as a button until it is
// pressed; then a text field for the name. The owner decides when it edits and stores each edit.
class ClockNameField final : public InlineEditor {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockNameField)

public:
    static constexpr int editorWidth = 156;

    explicit ClockNameField(QWidget* parent = nullptr);

    // Store -> row: the label and the field's text, the label dimmed while no name is set.
    void showName(const QString& draft, const QColor& foreground, const QColor& secondary);
    // Shows the field (every text selected, as a field just clicked into) or the label.
    void setEditing(bool editing);

private:
    void showLabel();
    void retranslate() override;

    QString draft;
};

} // namespace mewt
