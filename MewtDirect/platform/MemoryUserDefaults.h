#pragma once

#include "platform/UserDefaults.h"

#include <QHash>

namespace mewt {

// Keeps values in memory only. Tests use it to see exactly what a store wrote, and how often.
class MemoryUserDefaults final : public UserDefaults {
public:
    void remove(const QString& key) override;
    void flush() override { unflushed = 0; }

    // Puts a value in place as if an earlier run had stored it; not counted as a write.
    void seed(const QString& key, const QVariant& value) { values.insert(key, value); }
    QVariant stored(const QString& key) const { return values.value(key); }

    int writeCount() const { return writes; }
    int writeCount(const QString& key) const { return writesPerKey.value(key); }
    void resetWriteCount();
    // Writes made since the last flush: a real store might not have them on disk yet.
    int unflushedWriteCount() const { return unflushed; }

protected:
    std::optional<QVariant> rawValue(const QString& key) const override;
    void writeValue(const QString& key, const QVariant& value) override;

private:
    QHash<QString, QVariant> values;
    QHash<QString, int> writesPerKey;
    int writes = 0;
    int unflushed = 0;
};

} // namespace mewt
