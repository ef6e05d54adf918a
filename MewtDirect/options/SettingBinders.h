#pragma once

#include "options/SettingBinding.h"

#include <QString>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;

namespace mewt {

class SegmentedPicker;

// One binder per kind of control. Each connects only the signal a user causes to the binding's
// write, and refreshes the control from the store under a signal blocker whenever the store
// changes, so showing a page never writes a setting or plays a preview. Each returns its control,
// so a page row reads as one line:
//   section->addRow(OptionsSetting::appearanceZenMode, bindToggle(new QCheckBox, zenBinding));

// A check box or switch: every change of state that is not the store's own writes (a click, Space,
// a screen reader's toggle action).
QAbstractButton* bindToggle(QAbstractButton* toggle, SettingBinding<bool> binding);

// A pop-up whose items carry the stored raw value as their data: `activated` writes. A stored value
// that no item carries shows no selection.
QComboBox* bindChoice(QComboBox* choice, SettingBinding<QString> binding);

// Joined buttons whose segments carry the stored raw value: a click writes.
SegmentedPicker* bindSegments(SegmentedPicker* picker, SettingBinding<QString> binding);

// A slider over whole steps: the end of a drag writes the final position; a click on the track or a
// key writes at once. Positions while dragging are not written.
QAbstractSlider* bindSlider(QAbstractSlider* slider, SettingBinding<int> binding);

} // namespace mewt
