#include "options/PomodoroNumberSettingRow.h"

#include "options/CenteredIntegerField.h"
#include "options/OptionsPalette.h"
#include "options/SettingsLabel.h"
#include "options/Stepper.h"
#include "options/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace mewt {

PomodoroNumberSettingRow::PomodoroNumberSettingRow(const QString& title, const std::optional<QString>& description,
    const QString& suffix, SettingBinding<int> binding, Range range, int step, bool showsStepper, QWidget* parent)
    : QWidget(parent)
    , value(binding)
    , range(range)
    , settingsLabel(new SettingsLabel(title, description, this))
{
    // Whatever the field or the stepper asks for is held to the range before the store sees it.
    SettingBinding<int> clamped = binding;
    clamped.write = [binding, range](int wanted) {
        binding.write(
            std::clamp(wanted, std::min(range.minimum, range.maximum), std::max(range.minimum, range.maximum)));
    };
    numberField = new CenteredIntegerField(clamped, range.minimum, range.maximum, this);
    numberField->setFixedWidth(fieldWidth);
    numberField->setFont(textStyleFont(TextStyle::body));
    numberField->setAccessibleName(title);

    unit = new QLabel(suffix, this);
    unit->setTextFormat(Qt::PlainText);
    unit->setFont(textStyleFont(TextStyle::body));
    unit->setForegroundRole(secondaryTextRole);
    unit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    auto* trailing = new QHBoxLayout;
    trailing->setContentsMargins(0, 0, 0, 0);
    trailing->setSpacing(trailingGap);
    trailing->addWidget(numberField);
    trailing->addWidget(unit);
    if (showsStepper) {
        numberStepper = new Stepper(this);
        numberStepper->setRange(range.minimum, range.maximum);
        numberStepper->setStep(step);
        numberStepper->setAccessibleName(title);
        // The store may round what the stepper asked for; the next step starts from what it kept.
        connect(numberStepper, &Stepper::valueStepped, this, [this, clamped](int stepped) {
            clamped.write(stepped);
            numberStepper->setValue(value.read());
        });
        trailing->addWidget(numberStepper);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(settingsLabel, 1);
    row->addLayout(trailing);
    value.observe(this, [this] { sync(); });
    sync();
}

void PomodoroNumberSettingRow::sync()
{
    numberField->sync();
    if (numberStepper)
        numberStepper->setValue(value.read());
}

} // namespace mewt
