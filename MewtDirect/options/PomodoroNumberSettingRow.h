#pragma once

#include "options/SettingBinding.h"

#include <QWidget>
#include <optional>

class QLabel;

namespace mewt {

class CenteredIntegerField;
class SettingsLabel;
class Stepper;

// A whole number held in a closed range: a label, then a digits field, a unit and an optional
// stepper. Field and stepper write through the binding only values within the range; the field
// shows the stored value as it is, also when it lies outside.
class PomodoroNumberSettingRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroNumberSettingRow)

public:
    static constexpr int fieldWidth = 52;
    static constexpr int trailingGap = 7;

    struct Range {
        int minimum;
        int maximum;
    };

    PomodoroNumberSettingRow(const QString& title, const std::optional<QString>& description, const QString& suffix,
        SettingBinding<int> value, Range range, int step, bool showsStepper, QWidget* parent = nullptr);

    CenteredIntegerField* field() const { return numberField; }
    Stepper* stepper() const { return numberStepper; }
    SettingsLabel* label() const { return settingsLabel; }

    // Store to controls; the field keeps text the user is editing.
    void sync();

private:
    SettingBinding<int> value;
    Range range;
    SettingsLabel* settingsLabel = nullptr;
    CenteredIntegerField* numberField = nullptr;
    QLabel* unit = nullptr;
    Stepper* numberStepper = nullptr;
};

} // namespace mewt
