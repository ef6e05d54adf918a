#pragma once

#include "options/OptionsSetting.h"

#include <QWidget>

namespace mewt {

class SettingsLabel;

// One setting on a page: the catalogue's label on the leading side and the control on the
// trailing side. The row is what search hits scroll to, so it carries its setting.
class SettingsRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsRow)

public:
    // `titleOnly` labels the row with the control title alone and gives the description to the
    // control as its tooltip.
    enum class Label { titleAndDescription, titleOnly };

    // Label texts come from the catalogue (control title and description); the control gets the
    // same texts as its accessible name and description unless it already has its own.
    SettingsRow(
        OptionsSetting setting, QWidget* control, Label label = Label::titleAndDescription, QWidget* parent = nullptr);

    OptionsSetting setting() const { return shownSetting; }
    QWidget* control() const { return trailingControl; }
    SettingsLabel* label() const { return settingsLabel; }

private:
    OptionsSetting shownSetting;
    SettingsLabel* settingsLabel = nullptr;
    QWidget* trailingControl = nullptr;
};

} // namespace mewt
