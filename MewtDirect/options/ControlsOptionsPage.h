#pragma once

#include "options/OptionsPage.h"

namespace mewt {

class InterfaceSettingsStore;

// The popover's controls: its idle layout, the mode switch, auto-dismiss, zen mode and hints.
class ControlsOptionsPage final : public OptionsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControlsOptionsPage)

public:
    explicit ControlsOptionsPage(InterfaceSettingsStore& interfaceSettingsStore, QWidget* parent = nullptr);
};

} // namespace mewt
