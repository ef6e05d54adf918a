#include "CatSoundPlayer.h"
#include "SoundRig.h"
#include "TrillPlayer.h"
#include "WavBytes.h"
#include "WavReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using Sound = CatSoundPlayer::Sound;

namespace {

// The compiled-in files are ours and must be fit to play: the engine's rate, short, not clipping.
struct ShippedSound {
    const char* path;
    double minimumSeconds;
    double maximumSeconds;
};

class ShippedSounds : public ::testing::TestWithParam<ShippedSound> { };

TEST_P(ShippedSounds, DecodeAtTheEngineRateWithHeadroom)
{
    const ShippedSound& s = GetParam();
    QFile file(QString::fromLatin1(s.path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_LT(bytes.size(), 200 * 1024);
    EXPECT_EQ(bytes.mid(22, 2), QByteArray::fromHex("0100")) << "mono";
    EXPECT_EQ(bytes.mid(24, 4), QByteArray::fromHex("80bb0000")) << "48 kHz";
    const WavReader::Result result = WavReader::decode(bytes, audioSampleRate);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    const double seconds = static_cast<double>(result.samples.size()) / audioSampleRate;
    EXPECT_GE(seconds, s.minimumSeconds);
    EXPECT_LE(seconds, s.maximumSeconds);
    float peak = 0.0F;
    double sum = 0.0;
    for (float v : result.samples) {
        peak = std::max(peak, std::abs(v));
        sum += v;
    }
    EXPECT_NEAR(peak, 0.708F, 0.01F); // -3 dBFS
    EXPECT_NEAR(sum / result.samples.size(), 0.0, 0.002);
    EXPECT_LT(std::abs(result.samples.front()), 0.01F); // faded in
    EXPECT_LT(std::abs(result.samples.back()), 0.01F); // and out
}

INSTANTIATE_TEST_SUITE_P(Resources, ShippedSounds,
    ::testing::Values(ShippedSound { ":/cat-sounds/chirrup/cat-chirrup-01.wav", 0.25, 0.6 },
        ShippedSound { ":/cat-sounds/purr/cat-purr-01.wav", 1.5, 3.0 },
        ShippedSound { ":/cat-sounds/chitter/cat-chitter-01.wav", 0.5, 1.0 },
        ShippedSound { ":/cat-sounds/chitter/cat-chitter-02.wav", 0.5, 1.0 },
        ShippedSound { ":/trill/trill-01.wav", 0.25, 0.7 }, ShippedSound { ":/trill/trill-02.wav", 0.25, 0.7 },
        ShippedSound { ":/trill/trill-03.wav", 0.25, 0.7 }, ShippedSound { ":/trill/trill-04.wav", 0.25, 0.7 }));

class CatPlayer : public ::testing::Test {
protected:
    void SetUp() override { rig.engine.start(); }

    const std::vector<AudioCommand>& log() const { return rig.engine.commandLog(); }

    SoundRig rig;
};

TEST_F(CatPlayer, LoadsEveryShippedVariant)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    EXPECT_EQ(cats.variantCount(Sound::chirrup), 1);
    EXPECT_EQ(cats.variantCount(Sound::purr), 1);
    EXPECT_EQ(cats.variantCount(Sound::chitter), 2);
    EXPECT_EQ(cats.variantName(Sound::chitter, 1), QStringLiteral("cat-chitter-02"));
    TrillPlayer trills(rig.engine);
    EXPECT_GE(trills.trillCount(), 3);
}

TEST_F(CatPlayer, PlaysARandomVariantAtTheProductOfTheVolumes)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    rig.settings.setTactileSoundVolume(0.5);
    std::size_t asked = 0;
    cats.randomIndex = [&asked](std::size_t count) {
        asked = count;
        return std::size_t { 1 };
    };
    cats.play(Sound::chitter, 0.85);
    EXPECT_EQ(asked, 2U);
    ASSERT_EQ(log().size(), 1U);
    EXPECT_EQ(log()[0].kind, AudioCommand::Kind::startCat);
    EXPECT_FLOAT_EQ(log()[0].gain, 0.425F);
    EXPECT_TRUE(cats.isPlaying(Sound::chitter, 1));
    EXPECT_FALSE(cats.isPlaying(Sound::chitter, 0));
    EXPECT_DOUBLE_EQ(cats.volume(Sound::chitter, 1), 0.425);
}

TEST_F(CatPlayer, IsSilentWhenSoundsAreOffAndStartsAtZeroWhenTheVolumeIs)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    rig.settings.setTactileSoundsEnabled(false);
    cats.play(Sound::chirrup, 0.8);
    EXPECT_TRUE(log().empty());
    rig.settings.setTactileSoundsEnabled(true);
    rig.settings.setTactileSoundVolume(0.0);
    cats.play(Sound::chirrup, 0.8);
    ASSERT_EQ(log().size(), 1U);
    EXPECT_EQ(log()[0].gain, 0.0F);
    cats.play(Sound::chitter, NAN);
    cats.play(Sound::purr, 9.0);
    EXPECT_EQ(log().back().gain, 0.0F);
}

TEST_F(CatPlayer, APlayingVariantOnlyTakesTheNewVolume)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    cats.play(Sound::purr, 0.0875);
    cats.play(Sound::purr, 0.5);
    ASSERT_EQ(log().size(), 2U);
    EXPECT_EQ(log()[0].kind, AudioCommand::Kind::startCat);
    EXPECT_EQ(log()[1].kind, AudioCommand::Kind::setCatGain);
    EXPECT_FLOAT_EQ(log()[1].gain, 0.5F);
}

TEST_F(CatPlayer, APurrFadesInFourStepsThenStops)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    cats.play(Sound::purr, 0.08);
    cats.fadeOutPurr();
    EXPECT_TRUE(cats.isPurrFading());
    std::vector<double> volumes;
    for (int step = 0; step < 3; ++step) {
        cats.purrFadeStep();
        volumes.push_back(cats.volume(Sound::purr, 0));
    }
    EXPECT_NEAR(volumes[0], 0.06, 1e-9);
    EXPECT_NEAR(volumes[1], 0.04, 1e-9);
    EXPECT_NEAR(volumes[2], 0.02, 1e-9);
    EXPECT_TRUE(cats.isPlaying(Sound::purr, 0));
    cats.purrFadeStep();
    EXPECT_FALSE(cats.isPlaying(Sound::purr, 0));
    EXPECT_FALSE(cats.isPurrFading());
    EXPECT_EQ(log().back().kind, AudioCommand::Kind::stopCat);
}

TEST_F(CatPlayer, ASecondFadeStartsFromTheVolumeReached)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    cats.play(Sound::purr, 0.08);
    cats.fadeOutPurr();
    cats.purrFadeStep();
    cats.fadeOutPurr();
    cats.purrFadeStep();
    EXPECT_NEAR(cats.volume(Sound::purr, 0), 0.045, 1e-9);
}

TEST_F(CatPlayer, NoFadeWithoutAPurrAndStopAllEndsEverything)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    cats.fadeOutPurr();
    EXPECT_FALSE(cats.isPurrFading());
    cats.play(Sound::purr, 0.1);
    cats.play(Sound::chirrup, 0.8);
    cats.fadeOutPurr();
    cats.stopAll();
    EXPECT_FALSE(cats.isPurrFading());
    EXPECT_FALSE(cats.isPlaying(Sound::purr, 0));
    EXPECT_FALSE(cats.isPlaying(Sound::chirrup, 0));
}

TEST_F(CatPlayer, AVariantThatEndedStartsAgain)
{
    CatSoundPlayer cats(rig.settings, rig.engine);
    cats.play(Sound::chirrup, 0.8);
    std::vector<float> out(48000);
    rig.engine.renderOffline(out.data(), out.size());
    EXPECT_FALSE(cats.isPlaying(Sound::chirrup, 0));
    cats.play(Sound::chirrup, 0.8);
    EXPECT_EQ(log().back().kind, AudioCommand::Kind::startCat);
}

// Files in a folder of the test's own, at the places a lookup may find them.
class SoundFolder : public CatPlayer {
protected:
    QString put(const QString& relative, const QByteArray& bytes)
    {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    QTemporaryDir folder;
    const QByteArray good = pcm16(std::vector<std::int16_t>(480, 8000));
    const QByteArray corrupt = QByteArray("RIFF\x20\0\0\0WAVEfmt \x10\0\0\0", 20);
};

TEST_F(SoundFolder, LooksAtTheTopThenTheCaseFolderThenCatSounds)
{
    put(QStringLiteral("cat-sounds/purr/cat-purr-01.wav"), good);
    EXPECT_EQ(CatSoundPlayer::locate(folder.path(), Sound::purr, QStringLiteral("cat-purr-01")),
        folder.filePath(QStringLiteral("cat-sounds/purr/cat-purr-01.wav")));
    put(QStringLiteral("purr/cat-purr-01.wav"), good);
    EXPECT_EQ(CatSoundPlayer::locate(folder.path(), Sound::purr, QStringLiteral("cat-purr-01")),
        folder.filePath(QStringLiteral("purr/cat-purr-01.wav")));
    put(QStringLiteral("cat-purr-01.wav"), good);
    EXPECT_EQ(CatSoundPlayer::locate(folder.path(), Sound::purr, QStringLiteral("cat-purr-01")),
        folder.filePath(QStringLiteral("cat-purr-01.wav")));
    EXPECT_EQ(CatSoundPlayer::locate(folder.path(), Sound::chirrup, QStringLiteral("cat-chirrup-01")), std::nullopt);
}

TEST_F(SoundFolder, MissingOrCorruptFilesLeaveTheirSoundSilent)
{
    put(QStringLiteral("cat-chitter-01.wav"), corrupt);
    put(QStringLiteral("cat-sounds/chitter/cat-chitter-01.wav"), good); // not reached: the top one was found
    put(QStringLiteral("chitter/cat-chitter-02.wav"), good);
    put(QStringLiteral("cat-purr-01.wav"), good.left(good.size() - 10));
    CatSoundPlayer cats(rig.settings, rig.engine, folder.path());
    EXPECT_EQ(cats.variantCount(Sound::chirrup), 0);
    EXPECT_EQ(cats.variantCount(Sound::purr), 0);
    ASSERT_EQ(cats.variantCount(Sound::chitter), 1);
    EXPECT_EQ(cats.variantName(Sound::chitter, 0), QStringLiteral("cat-chitter-02"));
    cats.play(Sound::purr, 1.0);
    cats.play(Sound::chirrup, 1.0);
    EXPECT_TRUE(log().empty());
}

TEST_F(SoundFolder, TrillsAreEveryReadableWavOfTheTrillFolderInNameOrder)
{
    put(QStringLiteral("trill/b.wav"), good);
    put(QStringLiteral("trill/a.wav"), good);
    put(QStringLiteral("trill/broken.wav"), corrupt);
    put(QStringLiteral("trill/notes.txt"), "not a sound");
    TrillPlayer trills(rig.engine, folder.path());
    EXPECT_EQ(trills.trillNames(), (QStringList { QStringLiteral("a.wav"), QStringLiteral("b.wav") }));
    TrillPlayer none(rig.engine, folder.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(none.trillCount(), 0);
    none.play(1.0);
    EXPECT_EQ(none.activeSound(), std::nullopt);
    EXPECT_TRUE(log().empty());
}

TEST_F(CatPlayer, ANewTrillCutsThePreviousOneAndTheVolumeIsHeldToRange)
{
    TrillPlayer trills(rig.engine);
    trills.randomIndex = [](std::size_t) { return std::size_t { 0 }; };
    trills.play(1.4);
    EXPECT_EQ(trills.activeSound(), 0);
    EXPECT_FLOAT_EQ(log().back().gain, 1.0F);
    trills.randomIndex = [](std::size_t count) { return count - 1; };
    trills.play(0.3);
    ASSERT_EQ(log().size(), 3U);
    EXPECT_EQ(log()[1].kind, AudioCommand::Kind::stopCat);
    EXPECT_EQ(log()[2].kind, AudioCommand::Kind::startCat);
    EXPECT_FLOAT_EQ(log()[2].gain, 0.3F);
    EXPECT_EQ(trills.activeSound(), trills.trillCount() - 1);
    trills.play(-2.0);
    EXPECT_EQ(log().back().gain, 0.0F);
}

} // namespace
