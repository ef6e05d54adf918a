#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace mewt {

// The eighteen synthesized interface sounds, in their order of iteration.
enum class TactileSound {
    chime,
    sparkle,
    droplet,
    bloom,
    whisper,
    tick,
    press,
    release,
    toggle,
    success,
    error,
    page,
    loading,
    ready,
    pulse,
    scan,
    arrival,
    cancel,
};

inline constexpr std::array allTactileSounds = { TactileSound::chime, TactileSound::sparkle, TactileSound::droplet,
    TactileSound::bloom, TactileSound::whisper, TactileSound::tick, TactileSound::press, TactileSound::release,
    TactileSound::toggle, TactileSound::success, TactileSound::error, TactileSound::page, TactileSound::loading,
    TactileSound::ready, TactileSound::pulse, TactileSound::scan, TactileSound::arrival, TactileSound::cancel };

// The case name, in ASCII ("release").
std::string_view tactileSoundName(TactileSound sound);
QString rawValue(TactileSound sound);
// No sound for a string that names no case (matching is exact and case-sensitive).
std::optional<TactileSound> tactileSoundFromRawValue(QStringView raw);

} // namespace mewt
