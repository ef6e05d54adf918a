#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

namespace mewt::testing {

inline void appendU16(QByteArray& out, std::uint16_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

inline void appendU32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline QByteArray chunk(const char* id, const QByteArray& body, std::uint32_t declaredSize)
{
    QByteArray out(id, 4);
    appendU32(out, declaredSize);
    return out + body;
}

inline QByteArray chunk(const char* id, const QByteArray& body)
{
    return chunk(id, body, static_cast<std::uint32_t>(body.size()));
}

inline QByteArray fmtBody(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    QByteArray body;
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    appendU16(body, format);
    appendU16(body, channels);
    appendU32(body, rate);
    appendU32(body, rate * align);
    appendU16(body, align);
    appendU16(body, bits);
    return body;
}

inline QByteArray riff(const QByteArray& chunks)
{
    QByteArray out("RIFF");
    appendU32(out, static_cast<std::uint32_t>(chunks.size() + 4));
    return out + "WAVE" + chunks;
}

// A mono 16-bit file at `rate` with the given samples.
inline QByteArray pcm16(const std::vector<std::int16_t>& samples, std::uint32_t rate = 48000)
{
    QByteArray data;
    for (std::int16_t s : samples)
        appendU16(data, static_cast<std::uint16_t>(s));
    return riff(chunk("fmt ", fmtBody(1, 1, rate, 16)) + chunk("data", data));
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace mewt::testing
