#pragma once

#include "platform/UserDefaults.h"

#include <QString>

namespace mewt {

// Load-time rules shared by the settings stores. A missing value gives the default and writes
// nothing, so a first launch leaves the file alone. A value that is present but unusable (wrong
// type, unknown name, out of range) is replaced on disk by the value the store really uses, so
// the file and the store agree from then on.

inline bool loadBool(UserDefaults& defaults, const QString& key, bool fallback)
{
    if (!defaults.contains(key))
        return fallback;
    if (const auto stored = defaults.boolValue(key))
        return *stored;
    defaults.setBool(key, fallback);
    return fallback;
}

// `normalize` maps any stored integer to the value the setting holds.
template <typename Normalize>
qint64 loadInt(UserDefaults& defaults, const QString& key, qint64 fallback, Normalize normalize)
{
    if (!defaults.contains(key))
        return fallback;
    const auto stored = defaults.intValue(key);
    const qint64 value = stored ? static_cast<qint64>(normalize(*stored)) : fallback;
    if (!stored || value != *stored)
        defaults.setInt(key, value);
    return value;
}

// Enumerations are stored by raw value; `parse` gives no value for an unknown name.
template <typename Enum, typename Parse, typename Raw>
Enum loadEnum(UserDefaults& defaults, const QString& key, Enum fallback, Parse parse, Raw raw)
{
    if (!defaults.contains(key))
        return fallback;
    if (const auto text = defaults.stringValue(key)) {
        if (const std::optional<Enum> value = parse(*text))
            return *value;
    }
    defaults.setString(key, raw(fallback));
    return fallback;
}

} // namespace mewt
