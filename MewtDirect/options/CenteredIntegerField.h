#pragma once

#include "options/SettingBinding.h"

#include <QLineEdit>

namespace mewt {

// A whole number typed as digits. It applies on Return and when editing ends, but only when the
// user changed the text since it was last shown, so merely tabbing through never rewrites a stored
// value (a 1530-second focus, or a 90-minute break beyond the row's range). Applying holds the
// number to the range, hands it to the binding, and then shows what the store kept, which may be
// rounded. A store change while the user types waits until editing ends.
class CenteredIntegerField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CenteredIntegerField)

public:
    CenteredIntegerField(SettingBinding<int> binding, int minimum, int maximum, QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return lowest; }
    int maximum() const { return highest; }

    // Store to field: leaves the text alone while the user is editing or when it already shows the
    // value; the stored value is shown as it is, also outside the range.
    void sync();
    // What the text asks for, held to the range; an empty text counts as 0.
    int heldValue() const;
    bool isEdited() const { return edited; }

private:
    void apply();
    void show(int value);

    SettingBinding<int> binding;
    int lowest;
    int highest;
    bool edited = false;
};

} // namespace mewt
