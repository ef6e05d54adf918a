#pragma once

namespace mewt {

// Whether a setting is offered at all.
enum class OptionsSettingVisibility {
    always,
    // Only when the application offers more than one interface language.
    multipleLanguages,
};

// What the application offers right now; asked afresh whenever visibility matters.
struct OptionsSettingsAvailability {
    // The interface languages offered, "system" included.
    int languageCount = 1;
    bool operator==(const OptionsSettingsAvailability&) const = default;
};

inline bool isVisible(OptionsSettingVisibility visibility, const OptionsSettingsAvailability& availability)
{
    return visibility == OptionsSettingVisibility::always || availability.languageCount >= 2;
}

} // namespace mewt
