#include "WavBytes.h"
#include "platform/WavReader.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;

namespace {

QByteArray withFmt(const QByteArray& fmt, const QByteArray& data = QByteArray(8, '\0'))
{
    return riff(chunk("fmt ", fmt) + chunk("data", data));
}

// WAVE_FORMAT_EXTENSIBLE with the given sub-format GUID.
QByteArray extensibleFmt(std::uint16_t channels, std::uint32_t mask, const QByteArray& guid)
{
    QByteArray body = fmtBody(0xFFFE, channels, 48000, 16);
    appendLE(body, 22, 2);
    appendLE(body, 16, 2);
    appendLE(body, mask, 4);
    return body + guid;
}

TEST(WavReader, MalformedOrUnsupportedFilesAreRefused)
{
    const QByteArray mono16 = fmtBody(1, 1, 48000, 16);
    const std::pair<const char*, QByteArray> files[] = {
        { "empty", QByteArray() },
        { "riffOnly", QByteArray("RIFF") },
        { "notWave", QByteArray("RIFF\x10\0\0\0AVI LIST", 16) },
        { "noFormat", riff(chunk("data", QByteArray(8, '\0'))) },
        { "noData", riff(chunk("fmt ", mono16)) },
        { "shortFormat", withFmt(mono16.left(12)) },
        { "truncatedData", riff(chunk("fmt ", mono16) + chunk("data", "abcd", 400)) },
        { "hugeChunk", riff(chunk("LIST", "ab", 0xFFFFFFFF) + chunk("fmt ", mono16)) },
        { "noChannels", withFmt(fmtBody(1, 0, 48000, 16)) },
        { "threeChannels", withFmt(fmtBody(1, 3, 48000, 16)) },
        { "twelveBits", withFmt(fmtBody(1, 1, 48000, 12)) },
        { "sixteenBitFloat", withFmt(fmtBody(3, 1, 48000, 16)) },
        { "compressed", withFmt(fmtBody(2, 1, 48000, 16)) },
        { "rateZero", withFmt(fmtBody(1, 1, 0, 16)) },
        { "rateAbsurd", withFmt(fmtBody(1, 1, 4000000, 16)) },
        { "badBlockAlign", withFmt(fmtBody(1, 2, 48000, 16).replace(12, 1, "\x03", 1)) },
        { "unknownExtensibleFormat", withFmt(extensibleFmt(1, 4, QByteArray::fromHex("0100") + QByteArray(14, 1))) },
        { "shortExtensible", withFmt(fmtBody(0xFFFE, 1, 48000, 16) + QByteArray(4, '\0')) },
        { "noWholeFrame", withFmt(fmtBody(1, 2, 48000, 16), QByteArray(3, '\0')) },
        { "twoFormats", riff(chunk("fmt ", mono16) + chunk("fmt ", mono16) + chunk("data", QByteArray(8, '\0'))) },
    };
    for (const auto& [name, bytes] : files) {
        const WavReader::Result result = WavReader::decode(bytes, 48000);
        EXPECT_FALSE(result.ok()) << name;
        EXPECT_TRUE(result.samples.empty()) << name;
    }
}

TEST(WavReader, EveryTruncationAndRandomCorruptionIsReadSafely)
{
    const QByteArray valid = pcm16({ 0, 16384, -16384, 32767 });
    for (qsizetype length = 0; length < valid.size(); ++length)
        EXPECT_FALSE(WavReader::decode(valid.left(length), 48000).ok()) << length;
    EXPECT_TRUE(WavReader::decode(valid, 48000).ok());

    const QByteArray bytes = pcm16(std::vector<std::int16_t>(64, 1000));
    std::uint32_t state = 12345;
    for (int round = 0; round < 2000; ++round) {
        QByteArray copy = bytes;
        for (int k = 0; k < 4; ++k) {
            state = state * 1664525U + 1013904223U;
            copy[static_cast<qsizetype>(state % static_cast<std::uint32_t>(copy.size()))]
                = static_cast<char>(state >> 24);
        }
        for (float s : WavReader::decode(copy, 48000).samples)
            ASSERT_TRUE(std::isfinite(s) && std::abs(s) <= 1.0F);
    }
    EXPECT_FALSE(WavReader::readFile(QStringLiteral("/nonexistent/mewt.wav"), 48000).ok());
}

TEST(WavReader, EveryEncodingDecodesToTheSameLevels)
{
    // One sample at half scale, one at minus full scale.
    const struct {
        std::uint16_t format;
        std::uint16_t bits;
        const char* hex;
    } encodings[] = { { 1, 8, "c000" }, { 1, 16, "00400080" }, { 1, 24, "000040000080" }, { 1, 32, "0000004000000080" },
        { 3, 32, "0000003f000080bf" } };
    for (const auto& e : encodings) {
        const WavReader::Result result
            = WavReader::decode(withFmt(fmtBody(e.format, 1, 48000, e.bits), QByteArray::fromHex(e.hex)), 48000);
        ASSERT_TRUE(result.ok()) << e.bits << result.error.toStdString();
        ASSERT_EQ(result.samples.size(), 2U);
        EXPECT_NEAR(result.samples[0], 0.5F, 1e-2F) << e.bits;
        EXPECT_NEAR(result.samples[1], -1.0F, 1e-6F) << e.bits;
    }
    // Non-finite float samples become silence.
    const WavReader::Result floats
        = WavReader::decode(withFmt(fmtBody(3, 1, 48000, 32), QByteArray::fromHex("0000c07f0000807f0000a040")), 48000);
    ASSERT_TRUE(floats.ok());
    EXPECT_EQ(floats.samples, (std::vector<float> { 0.0F, 0.0F, 1.0F }));
}

TEST(WavReader, ReadsTheExtensibleHeaderStereoAndOddChunks)
{
    const QByteArray odd = chunk("LIST", "abc") + QByteArray(1, '\0'); // padded to even
    const QByteArray pcmGuid = QByteArray::fromHex("0100000000001000800000aa00389b71");
    const QByteArray frame = QByteArray::fromHex("00400000"); // left 0.5, right 0
    const WavReader::Result result
        = WavReader::decode(riff(odd + chunk("fmt ", extensibleFmt(2, 3, pcmGuid)) + chunk("data", frame)), 48000);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.samples, std::vector<float> { 0.25F });
}

TEST(WavReader, ResamplesOtherRatesLinearly)
{
    const WavReader::Result result = WavReader::decode(pcm16({ 0, 16384, 0 }, 24000), 48000);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.samples.size(), 5U);
    EXPECT_FLOAT_EQ(result.samples[1], 0.25F);
    EXPECT_FLOAT_EQ(result.samples[2], 0.5F);
    EXPECT_FLOAT_EQ(result.samples[3], 0.25F);
    EXPECT_FALSE(WavReader::decode(pcm16({ 1, 2 }), 7).ok());
}

} // namespace
