#include "cues/TactileSound.h"

namespace mewt {

namespace {

constexpr std::array<std::string_view, allTactileSounds.size()> names
    = { "chime", "sparkle", "droplet", "bloom", "whisper", "tick", "press", "release", "toggle", "success", "error",
          "page", "loading", "ready", "pulse", "scan", "arrival", "cancel" };

} // namespace

std::string_view tactileSoundName(TactileSound sound)
{
    return names[static_cast<std::size_t>(sound)];
}

QString rawValue(TactileSound sound)
{
    const std::string_view name = tactileSoundName(sound);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<TactileSound> tactileSoundFromRawValue(QStringView raw)
{
    for (TactileSound sound : allTactileSounds) {
        const std::string_view name = tactileSoundName(sound);
        if (raw == QLatin1String(name.data(), static_cast<qsizetype>(name.size())))
            return sound;
    }
    return std::nullopt;
}

} // namespace mewt
