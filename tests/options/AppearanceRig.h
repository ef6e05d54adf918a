#pragma once

#include "model/CatBedStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "options/AppearanceOptionsPage.h"
#include "platform/MemoryUserDefaults.h"

#include <memory>

namespace mewt::testing {

// The appearance page over real stores that keep their values in memory and count every write.
struct AppearanceRig {
    MemoryUserDefaults defaults;
    std::unique_ptr<ThemeStore> themes;
    std::unique_ptr<CatBedStore> beds;
    std::unique_ptr<PopoverAppearanceStore> popover;
    std::unique_ptr<TimeDisplaySettingsStore> timeDisplay;
    std::unique_ptr<AppearanceOptionsPage> page;

    // Stores built over what an earlier run left (seeded values are not counted as writes).
    void build()
    {
        themes = std::make_unique<ThemeStore>(defaults);
        beds = std::make_unique<CatBedStore>(defaults);
        popover = std::make_unique<PopoverAppearanceStore>(defaults);
        timeDisplay = std::make_unique<TimeDisplaySettingsStore>(defaults);
    }
    AppearanceOptionsPage& open()
    {
        page = std::make_unique<AppearanceOptionsPage>(*themes, *beds, *popover, *timeDisplay);
        return *page;
    }
};

} // namespace mewt::testing
