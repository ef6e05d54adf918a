#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

namespace mewt {

// The persisted key-value store every setting and snapshot goes through. Typed reads are strict:
// a value of the wrong type (a hand-edited file, an old format) reads as absent, so each caller
// falls back to its default instead of guessing.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    bool contains(const QString& key) const { return rawValue(key).has_value(); }

    std::optional<bool> boolValue(const QString& key) const;
    std::optional<qint64> intValue(const QString& key) const;
    std::optional<double> doubleValue(const QString& key) const;
    std::optional<QString> stringValue(const QString& key) const;
    std::optional<QByteArray> dataValue(const QString& key) const;

    void setBool(const QString& key, bool value) { writeValue(key, QVariant(value)); }
    void setInt(const QString& key, qint64 value) { writeValue(key, QVariant(value)); }
    void setDouble(const QString& key, double value) { writeValue(key, QVariant(value)); }
    void setString(const QString& key, const QString& value) { writeValue(key, QVariant(value)); }
    void setData(const QString& key, const QByteArray& value) { writeValue(key, QVariant(value)); }
    virtual void remove(const QString& key) = 0;
    // Returns once every change made so far is on disk (or could not be written); for a quit.
    virtual void flush() { }

protected:
    virtual std::optional<QVariant> rawValue(const QString& key) const = 0;
    virtual void writeValue(const QString& key, const QVariant& value) = 0;
};

} // namespace mewt
