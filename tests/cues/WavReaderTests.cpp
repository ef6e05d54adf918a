#include "WavBytes.h"
#include "WavReader.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;

namespace {

QByteArray valid()
{
    return pcm16({ 0, 16384, -16384, 32767 });
}

struct Malformed {
    const char* name;
    QByteArray bytes;
};

class MalformedWav : public ::testing::TestWithParam<Malformed> { };

TEST_P(MalformedWav, IsRefusedWithAReason)
{
    const WavReader::Result result = WavReader::decode(GetParam().bytes, 48000);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.samples.empty());
}

QByteArray withFmt(QByteArray fmt, const QByteArray& data = QByteArray(8, '\0'))
{
    return riff(chunk("fmt ", fmt) + chunk("data", data));
}

QByteArray extensible(const QByteArray& guidHead, const QByteArray& guidTail)
{
    QByteArray body = fmtBody(0xFFFE, 1, 48000, 16);
    appendU16(body, 22);
    appendU16(body, 16);
    appendU32(body, 4);
    return withFmt(body + guidHead + guidTail);
}

const QByteArray pcmGuidTail = QByteArray::fromHex("000000001000800000aa00389b71");

INSTANTIATE_TEST_SUITE_P(Files, MalformedWav,
    ::testing::Values(Malformed { "empty", QByteArray() }, Malformed { "riffOnly", QByteArray("RIFF") },
        Malformed { "notWave", QByteArray("RIFF\x10\0\0\0AVI LIST", 16) },
        Malformed { "noFormat", riff(chunk("data", QByteArray(8, '\0'))) },
        Malformed { "noData", riff(chunk("fmt ", fmtBody(1, 1, 48000, 16))) },
        Malformed { "shortFormat", withFmt(fmtBody(1, 1, 48000, 16).left(12)) },
        Malformed { "truncatedData", riff(chunk("fmt ", fmtBody(1, 1, 48000, 16)) + chunk("data", "abcd", 400)) },
        Malformed { "hugeChunk", riff(chunk("LIST", "ab", 0xFFFFFFFF) + chunk("fmt ", fmtBody(1, 1, 48000, 16))) },
        Malformed { "noChannels", withFmt(fmtBody(1, 0, 48000, 16)) },
        Malformed { "threeChannels", withFmt(fmtBody(1, 3, 48000, 16)) },
        Malformed { "twelveBits", withFmt(fmtBody(1, 1, 48000, 12)) },
        Malformed { "sixteenBitFloat", withFmt(fmtBody(3, 1, 48000, 16)) },
        Malformed { "compressed", withFmt(fmtBody(2, 1, 48000, 16)) },
        Malformed { "rateZero", withFmt(fmtBody(1, 1, 0, 16)) },
        Malformed { "rateAbsurd", withFmt(fmtBody(1, 1, 4000000, 16)) },
        Malformed { "badBlockAlign",
            [] {
                QByteArray fmt = fmtBody(1, 2, 48000, 16);
                fmt[12] = 3;
                return withFmt(fmt);
            }() },
        Malformed { "unknownExtensibleFormat", extensible(QByteArray::fromHex("0100"), QByteArray(14, '\x01')) },
        Malformed { "shortExtensible", withFmt(fmtBody(0xFFFE, 1, 48000, 16) + QByteArray(4, '\0')) },
        Malformed { "noWholeFrame", withFmt(fmtBody(1, 2, 48000, 16), QByteArray(3, '\0')) },
        Malformed { "twoFormats", riff(chunk("fmt ", fmtBody(1, 1, 48000, 16)) + chunk("fmt ", fmtBody(1, 1, 48000, 16))
                                      + chunk("data", QByteArray(8, '\0'))) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavReader, EveryTruncationOfAValidFileIsReadSafely)
{
    const QByteArray bytes = valid();
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const WavReader::Result result = WavReader::decode(bytes.left(length), 48000);
        EXPECT_FALSE(result.ok()) << length;
    }
    EXPECT_TRUE(WavReader::decode(bytes, 48000).ok());
}

TEST(WavReader, CorruptBytesNeverCrash)
{
    QByteArray bytes = pcm16(std::vector<std::int16_t>(64, 1000));
    std::uint32_t state = 12345;
    for (int round = 0; round < 2000; ++round) {
        QByteArray copy = bytes;
        for (int k = 0; k < 4; ++k) {
            state = state * 1664525U + 1013904223U;
            copy[static_cast<qsizetype>(state % static_cast<std::uint32_t>(copy.size()))]
                = static_cast<char>(state >> 24);
        }
        const WavReader::Result result = WavReader::decode(copy, 48000);
        for (float s : result.samples)
            ASSERT_TRUE(std::isfinite(s) && std::abs(s) <= 1.0F);
    }
}

struct Encoding {
    const char* name;
    std::uint16_t format;
    std::uint16_t bits;
    QByteArray data; // one sample at half scale, one at minus full scale
};

class Encodings : public ::testing::TestWithParam<Encoding> { };

TEST_P(Encodings, DecodeToTheSameLevels)
{
    const Encoding& e = GetParam();
    const WavReader::Result result = WavReader::decode(withFmt(fmtBody(e.format, 1, 48000, e.bits), e.data), 48000);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    ASSERT_EQ(result.samples.size(), 2U);
    EXPECT_NEAR(result.samples[0], 0.5F, 1e-2F);
    EXPECT_NEAR(result.samples[1], -1.0F, 1e-6F);
}

INSTANTIATE_TEST_SUITE_P(Formats, Encodings,
    ::testing::Values(Encoding { "uint8", 1, 8, QByteArray::fromHex("c000") },
        Encoding { "int16", 1, 16, QByteArray::fromHex("00400080") },
        Encoding { "int24", 1, 24, QByteArray::fromHex("000040000080") },
        Encoding { "int32", 1, 32, QByteArray::fromHex("0000004000000080") },
        Encoding { "float32", 3, 32, QByteArray::fromHex("0000003f000080bf") }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WavReader, ReadsTheExtensibleHeaderStereoAndOddChunks)
{
    QByteArray data;
    appendU16(data, 0x4000); // left 0.5
    appendU16(data, 0x0000); // right 0
    const QByteArray odd = chunk("LIST", "abc") + QByteArray(1, '\0'); // padded to even
    QByteArray fmt = fmtBody(0xFFFE, 2, 48000, 16);
    appendU16(fmt, 22);
    appendU16(fmt, 16);
    appendU32(fmt, 3);
    fmt += QByteArray::fromHex("0100") + pcmGuidTail;
    const WavReader::Result result = WavReader::decode(riff(odd + chunk("fmt ", fmt) + chunk("data", data)), 48000);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    ASSERT_EQ(result.samples.size(), 1U);
    EXPECT_FLOAT_EQ(result.samples[0], 0.25F);
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

TEST(WavReader, NonFiniteFloatSamplesBecomeSilence)
{
    const QByteArray data = QByteArray::fromHex("0000c07f0000807f0000a040");
    const WavReader::Result result = WavReader::decode(withFmt(fmtBody(3, 1, 48000, 32), data), 48000);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.samples, (std::vector<float> { 0.0F, 0.0F, 1.0F }));
}

TEST(WavReader, AMissingFileIsRefused)
{
    EXPECT_FALSE(WavReader::readFile(QStringLiteral("/nonexistent/mewt.wav"), 48000).ok());
}

} // namespace
