#include "options/SettingsRow.h"

#include "options/SettingsLabel.h"

#include <QHBoxLayout>

namespace mewt {

namespace {

constexpr int labelToControlGap = 12;

} // namespace

SettingsRow::SettingsRow(OptionsSetting setting, QWidget* control, Label label, QWidget* parent)
    : QWidget(parent)
    , shownSetting(setting)
    , trailingControl(control)
{
    const OptionsSettingDefinition found = definition(setting);
    const bool titleOnly = label == Label::titleOnly;
    settingsLabel = new SettingsLabel(found.controlTitle, titleOnly ? std::nullopt : found.description, this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(labelToControlGap);
    row->addWidget(settingsLabel, 1);
    if (control) {
        row->addWidget(control, 0, Qt::AlignVCenter);
        if (control->accessibleName().isEmpty())
            control->setAccessibleName(found.controlTitle);
        if (control->accessibleDescription().isEmpty() && found.description)
            control->setAccessibleDescription(*found.description);
        if (titleOnly && found.description && control->toolTip().isEmpty())
            control->setToolTip(*found.description);
    }
}

} // namespace mewt
