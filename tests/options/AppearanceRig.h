#pragma once

#include "model/CatBedStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "options/AppearanceOptionsPage.h"
#include "platform/MemoryUserDefaults.h"

#include <optional>

namespace mewt::testing {

// The appearance page over real stores that keep their values in memory and count every write.
// Seed `defaults` first (as an earlier run would have left them), then build the stores and open.
struct AppearanceRig {
    MemoryUserDefaults defaults;
    std::optional<ThemeStore> themes;
    std::optional<CatBedStore> beds;
    std::optional<PopoverAppearanceStore> popover;
    std::optional<TimeDisplaySettingsStore> timeDisplay;
    std::optional<AppearanceOptionsPage> page;

    AppearanceOptionsPage& open()
    {
        themes.emplace(defaults), beds.emplace(defaults), popover.emplace(defaults), timeDisplay.emplace(defaults);
        return page.emplace(*themes, *beds, *popover, *timeDisplay);
    }
};

} // namespace mewt::testing
