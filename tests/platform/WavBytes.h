#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

namespace mewt::testing {

// Little-endian, `bytes` wide.
inline void appendLE(QByteArray& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline QByteArray chunk(const char* id, const QByteArray& body, qsizetype declaredSize = -1)
{
    QByteArray out(id, 4);
    appendLE(out, static_cast<std::uint32_t>(declaredSize < 0 ? body.size() : declaredSize), 4);
    return out + body;
}

inline QByteArray fmtBody(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    QByteArray body;
    const std::uint32_t align = channels * bits / 8;
    appendLE(body, format, 2);
    appendLE(body, channels, 2);
    appendLE(body, rate, 4);
    appendLE(body, rate * align, 4);
    appendLE(body, align, 2);
    appendLE(body, bits, 2);
    return body;
}

inline QByteArray riff(const QByteArray& chunks)
{
    QByteArray out("RIFF");
    appendLE(out, static_cast<std::uint32_t>(chunks.size() + 4), 4);
    return out + "WAVE" + chunks;
}

// A mono 16-bit file at `rate` with the given samples.
inline QByteArray pcm16(const std::vector<std::int16_t>& samples, std::uint32_t rate = 48000)
{
    QByteArray data;
    for (std::int16_t s : samples)
        appendLE(data, static_cast<std::uint16_t>(s), 2);
    return riff(chunk("fmt ", fmtBody(1, 1, rate, 16)) + chunk("data", data));
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace mewt::testing
