#include "platform/WavReader.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace mewt {

namespace {

constexpr std::uint16_t formatPcm = 1;
constexpr std::uint16_t formatFloat = 3;
constexpr std::uint16_t formatExtensible = 0xFFFE;
// The tail shared by the KSDATAFORMAT_SUBTYPE_PCM and _IEEE_FLOAT GUIDs after their first two bytes.
constexpr unsigned char subformatTail[14]
    = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };

class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes)
        : data(reinterpret_cast<const unsigned char*>(bytes.data()))
        , size(static_cast<std::size_t>(bytes.size()))
    {
    }

    bool has(std::size_t offset, std::size_t count) const { return offset <= size && count <= size - offset; }
    std::uint16_t u16(std::size_t offset) const
    {
        return static_cast<std::uint16_t>(data[offset] | data[offset + 1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const
    {
        return static_cast<std::uint32_t>(data[offset]) | static_cast<std::uint32_t>(data[offset + 1]) << 8
            | static_cast<std::uint32_t>(data[offset + 2]) << 16 | static_cast<std::uint32_t>(data[offset + 3]) << 24;
    }
    bool tag(std::size_t offset, const char* name) const { return std::memcmp(data + offset, name, 4) == 0; }
    const unsigned char* at(std::size_t offset) const { return data + offset; }
    std::size_t length() const { return size; }

private:
    const unsigned char* data;
    std::size_t size;
};

struct Format {
    std::uint16_t encoding = 0; // formatPcm or formatFloat after unwrapping the extensible header
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

QString readFormat(const ByteReader& in, std::size_t offset, std::uint32_t size, Format& format)
{
    if (size < 16)
        return QStringLiteral("format chunk too short");
    format.encoding = in.u16(offset);
    format.channels = in.u16(offset + 2);
    format.rate = in.u32(offset + 4);
    format.blockAlign = in.u16(offset + 12);
    format.bits = in.u16(offset + 14);
    if (format.encoding == formatExtensible) {
        if (size < 40 || in.u16(offset + 16) < 22)
            return QStringLiteral("extensible format chunk too short");
        const std::uint16_t subformat = in.u16(offset + 24);
        if (std::memcmp(in.at(offset + 26), subformatTail, sizeof subformatTail) != 0)
            return QStringLiteral("unsupported sample format");
        format.encoding = subformat;
    }
    if (format.encoding != formatPcm && format.encoding != formatFloat)
        return QStringLiteral("unsupported sample format %1").arg(format.encoding);
    if (format.channels != 1 && format.channels != 2)
        return QStringLiteral("unsupported channel count %1").arg(format.channels);
    if (format.rate < 8000 || format.rate > 192000)
        return QStringLiteral("unsupported sample rate %1").arg(format.rate);
    const bool bitsOk = format.encoding == formatFloat
        ? format.bits == 32
        : (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
    if (!bitsOk)
        return QStringLiteral("unsupported sample size %1").arg(format.bits);
    if (format.blockAlign != format.channels * (format.bits / 8))
        return QStringLiteral("inconsistent block size");
    return {};
}

float sampleAt(const unsigned char* p, const Format& format)
{
    switch (format.bits) {
    case 8: return (static_cast<int>(p[0]) - 128) / 128.0F;
    case 16: return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8)) / 32768.0F;
    case 24: {
        std::int32_t value = p[0] | p[1] << 8 | p[2] << 16;
        if (value & 0x800000)
            value -= 0x1000000;
        return static_cast<float>(value / 8388608.0);
    }
    default: {
        const std::uint32_t raw = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
            | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        if (format.encoding == formatFloat) {
            float value = 0.0F;
            std::memcpy(&value, &raw, sizeof value);
            return std::isfinite(value) ? std::clamp(value, -1.0F, 1.0F) : 0.0F;
        }
        return static_cast<float>(static_cast<std::int32_t>(raw) / 2147483648.0);
    }
    }
}

std::vector<float> resampled(std::vector<float> input, std::uint32_t fromRate, int toRate)
{
    if (static_cast<int>(fromRate) == toRate || input.size() < 2)
        return input;
    const double step = static_cast<double>(fromRate) / toRate;
    const auto frames = static_cast<std::size_t>(std::floor((input.size() - 1) / step)) + 1;
    std::vector<float> output(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double position = i * step;
        const auto index = std::min(static_cast<std::size_t>(position), input.size() - 1);
        const double fraction = position - index;
        const float next = input[std::min(index + 1, input.size() - 1)];
        output[i] = static_cast<float>(input[index] * (1.0 - fraction) + next * fraction);
    }
    return output;
}

WavReader::Result failure(const QString& reason)
{
    return { {}, reason };
}

} // namespace

WavReader::Result WavReader::decode(QByteArrayView bytes, int targetRate)
{
    if (targetRate < 8000 || targetRate > 192000)
        return failure(QStringLiteral("unsupported target rate"));
    if (bytes.size() > maximumFileBytes)
        return failure(QStringLiteral("file too large"));
    const ByteReader in(bytes);
    if (!in.has(0, 12) || !in.tag(0, "RIFF") || !in.tag(8, "WAVE"))
        return failure(QStringLiteral("not a WAVE file"));

    Format format;
    bool haveFormat = false;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
    bool haveData = false;
    std::size_t offset = 12;
    while (in.has(offset, 8)) {
        const std::uint32_t size = in.u32(offset + 4);
        const std::size_t body = offset + 8;
        if (!in.has(body, size))
            return failure(
                in.tag(offset, "data") ? QStringLiteral("truncated sound data") : QStringLiteral("truncated chunk"));
        if (in.tag(offset, "fmt ")) {
            if (haveFormat)
                return failure(QStringLiteral("two format chunks"));
            const QString problem = readFormat(in, body, size, format);
            if (!problem.isEmpty())
                return failure(problem);
            haveFormat = true;
        } else if (in.tag(offset, "data") && !haveData) {
            dataOffset = body;
            dataSize = size;
            haveData = true;
        }
        // Chunks are padded to an even length; a missing pad byte at the very end is tolerated.
        offset = body + size + (size & 1U);
    }
    if (!haveFormat)
        return failure(QStringLiteral("no format chunk"));
    if (!haveData)
        return failure(QStringLiteral("no sound data"));

    const std::size_t frames = dataSize / format.blockAlign;
    if (frames == 0)
        return failure(QStringLiteral("no sound data"));
    if (static_cast<double>(frames) / format.rate > maximumSeconds)
        return failure(QStringLiteral("sound too long"));

    std::vector<float> mono(frames);
    const std::size_t bytesPerSample = format.bits / 8;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const unsigned char* p = in.at(dataOffset + frame * format.blockAlign);
        float value = sampleAt(p, format);
        if (format.channels == 2)
            value = (value + sampleAt(p + bytesPerSample, format)) * 0.5F;
        mono[frame] = value;
    }
    return { resampled(std::move(mono), format.rate, targetRate), {} };
}

WavReader::Result WavReader::readFile(const QString& path, int targetRate)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot open %1").arg(path));
    if (file.size() > maximumFileBytes)
        return failure(QStringLiteral("file too large"));
    const QByteArray bytes = file.read(maximumFileBytes + 1);
    return decode(bytes, targetRate);
}

std::future<std::vector<WavReader::HeldSound>> WavReader::readFilesAside(const QStringList& paths, int targetRate)
{
    return std::async(std::launch::async, [paths, targetRate] {
        std::vector<HeldSound> results;
        results.reserve(static_cast<std::size_t>(paths.size()));
        for (const QString& path : paths) {
            const Result read = readFile(path, targetRate);
            results.push_back({ read.ok() ? makeAudioSamples(read.samples) : nullptr, read.error });
        }
        return results;
    });
}

} // namespace mewt
