#include "platform/XSettings.h"

#include <cstdint>

namespace mewt {

namespace {

// What an X server calls the two byte orders.
constexpr std::uint8_t leastSignificantFirst = 0;
constexpr std::uint8_t mostSignificantFirst = 1;

enum SettingType : std::uint8_t { integerSetting = 0, stringSetting = 1, colorSetting = 2 };

class Reader {
public:
    explicit Reader(QByteArrayView data)
        : data(data)
    {
    }

    void setMostSignificantFirst(bool value) { bigEndian = value; }

    // Each read answers false, and moves nowhere, when the bytes are not there.
    bool skip(std::uint32_t count)
    {
        if (count > static_cast<std::uint64_t>(data.size() - at))
            return false;
        at += count;
        return true;
    }
    bool card(int bytes, std::uint32_t& value)
    {
        if (bytes > data.size() - at)
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            const auto byte = static_cast<std::uint8_t>(data[at + (bigEndian ? i : bytes - 1 - i)]);
            value = value << 8 | byte;
        }
        at += bytes;
        return true;
    }
    // `count` bytes, then the padding that brings them to a multiple of four.
    bool padded(std::uint32_t count, QByteArrayView& value)
    {
        const qsizetype start = at;
        if (!skip(count) || !skip((4 - count % 4) % 4))
            return false;
        value = data.sliced(start, count);
        return true;
    }

private:
    QByteArrayView data;
    qsizetype at = 0;
    bool bigEndian = false;
};

} // namespace

std::optional<XSettings> XSettings::parse(QByteArrayView data)
{
    Reader in(data);
    std::uint32_t order = 0, serial = 0, count = 0;
    if (!in.card(1, order) || (order != leastSignificantFirst && order != mostSignificantFirst))
        return std::nullopt;
    in.setMostSignificantFirst(order == mostSignificantFirst);
    if (!in.skip(3) || !in.card(4, serial) || !in.card(4, count))
        return std::nullopt;
    XSettings settings;
    // No room is made ahead for `count` settings: a hostile count runs out of bytes first.
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t type = 0, nameLength = 0, lastChange = 0;
        QByteArrayView name;
        if (!in.card(1, type) || !in.skip(1) || !in.card(2, nameLength) || !in.padded(nameLength, name)
            || !in.card(4, lastChange))
            return std::nullopt;
        switch (type) {
        case integerSetting:
            if (!in.skip(4))
                return std::nullopt;
            break;
        case stringSetting: {
            std::uint32_t length = 0;
            QByteArrayView value;
            if (!in.card(4, length) || !in.padded(length, value))
                return std::nullopt;
            settings.strings[name.toByteArray()] = QString::fromUtf8(value);
            break;
        }
        case colorSetting:
            if (!in.skip(8))
                return std::nullopt;
            break;
        default: return std::nullopt;
        }
    }
    return settings;
}

std::optional<QString> XSettings::string(const QByteArray& name) const
{
    const auto found = strings.find(name);
    if (found == strings.end())
        return std::nullopt;
    return found->second;
}

bool XSettings::themeIsDark() const
{
    const std::optional<QString> theme = string(themeNameKey);
    return theme
        && (theme->endsWith(QLatin1String("-dark"), Qt::CaseInsensitive)
            || theme->endsWith(QLatin1String(":dark"), Qt::CaseInsensitive));
}

} // namespace mewt
