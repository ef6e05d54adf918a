#include "platform/MemoryUserDefaults.h"

namespace mewt {

void MemoryUserDefaults::remove(const QString& key)
{
    values.remove(key);
    ++writes;
    ++unflushed;
    ++writesPerKey[key];
}

void MemoryUserDefaults::resetWriteCount()
{
    writes = 0;
    writesPerKey.clear();
}

std::optional<QVariant> MemoryUserDefaults::rawValue(const QString& key) const
{
    const auto it = values.constFind(key);
    if (it == values.constEnd())
        return std::nullopt;
    return *it;
}

void MemoryUserDefaults::writeValue(const QString& key, const QVariant& value)
{
    values.insert(key, value);
    ++writes;
    ++unflushed;
    ++writesPerKey[key];
}

} // namespace mewt
