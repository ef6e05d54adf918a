#include "options/SettingBinders.h"

#include "options/SegmentedPicker.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QSignalBlocker>

namespace mewt {

QAbstractButton* bindToggle(QAbstractButton* toggle, SettingBinding<bool> binding)
{
    toggle->setCheckable(true);
    const auto refresh = [toggle, read = binding.read] {
        const QSignalBlocker quiet(toggle);
        toggle->setChecked(read());
    };
    // `toggled`, not `clicked`: a screen reader's toggle action flips the box without a click.
    QObject::connect(toggle, &QAbstractButton::toggled, toggle, [write = binding.write, refresh](bool on) {
        write(on);
        refresh(); // a setting that could not change (open at login failing) must not show as changed
    });
    binding.observe(toggle, refresh);
    refresh();
    return toggle;
}

QComboBox* bindChoice(QComboBox* choice, SettingBinding<QString> binding)
{
    const auto refresh = [choice, read = binding.read] {
        const QSignalBlocker quiet(choice);
        choice->setCurrentIndex(choice->findData(read()));
    };
    QObject::connect(choice, &QComboBox::activated, choice, [choice, binding](int index) {
        if (index >= 0)
            binding.write(choice->itemData(index).toString());
        // The store may have kept something else; show what it holds.
        const QSignalBlocker quiet(choice);
        choice->setCurrentIndex(choice->findData(binding.read()));
    });
    binding.observe(choice, refresh);
    refresh();
    return choice;
}

SegmentedPicker* bindSegments(SegmentedPicker* picker, SettingBinding<QString> binding)
{
    const auto refresh = [picker, read = binding.read] { picker->setCurrentValue(read()); };
    QObject::connect(picker, &SegmentedPicker::activated, picker, [binding, refresh](const QString& value) {
        binding.write(value);
        refresh(); // the store may have kept something else
    });
    binding.observe(picker, refresh);
    refresh();
    return picker;
}

QAbstractSlider* bindSlider(QAbstractSlider* slider, SettingBinding<int> binding)
{
    const auto refresh = [slider, read = binding.read] {
        if (slider->isSliderDown())
            return; // the drag shows the user's position until it ends
        const QSignalBlocker quiet(slider);
        slider->setValue(read());
    };
    QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [slider, binding, refresh] {
        binding.write(slider->sliderPosition());
        refresh();
    });
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [slider, binding, refresh](int action) {
        // During a drag only the release counts; a track click or a key is a finished choice.
        if (slider->isSliderDown() || action == QAbstractSlider::SliderMove)
            return;
        binding.write(slider->sliderPosition());
        // The action's own value update follows this signal; show the store's value after it.
        QMetaObject::invokeMethod(slider, refresh, Qt::QueuedConnection);
    });
    binding.observe(slider, refresh);
    refresh();
    return slider;
}

} // namespace mewt
