#include "SoundRig.h"
#include "WavBytes.h"
#include "cues/CatSoundPlayer.h"
#include "cues/TrillPlayer.h"
#include "platform/WavReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

using namespace mewt;
using namespace mewt::testing;
using Sound = CatSoundPlayer::Sound;
using Kind = AudioCommand::Kind;

namespace {

class CatPlayer : public ::testing::Test {
protected:
    void SetUp() override { rig.engine.start(); }
    const std::vector<AudioCommand>& log() const { return rig.engine.commandLog(); }

    SoundRig rig;
    CatSoundPlayer cats { rig.settings, rig.engine };
};

// The compiled-in files are ours and must be fit to play: mono at the engine's rate, short, at
// -3 dBFS, faded in and out; 16-bit, so held for playing as they are.
TEST_F(CatPlayer, ShippedSoundsAllLoadAndAreFitToPlay)
{
    EXPECT_EQ(std::tuple(
                  cats.variantCount(Sound::chirrup), cats.variantCount(Sound::purr), cats.variantCount(Sound::chitter)),
        std::tuple(1, 1, 2));
    EXPECT_GE(TrillPlayer(rig.engine).trillCount(), 3);
    int files = 0;
    for (QDirIterator it(QStringLiteral(":/"), { QStringLiteral("*.wav") }, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext(); ++files) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.mid(22, 6), QByteArray::fromHex("010080bb0000")) << file.fileName().toStdString();
        const std::vector<float> samples = WavReader::decode(bytes, audioSampleRate).samples;
        ASSERT_GE(samples.size(), 12000U) << file.fileName().toStdString();
        EXPECT_LE(samples.size(), 3U * 48000);
        float peak = 0.0F;
        for (float v : samples)
            peak = std::max(peak, std::abs(v));
        EXPECT_NEAR(peak, 0.708F, 0.01F) << file.fileName().toStdString();
        EXPECT_TRUE(std::abs(samples.front()) < 0.01F && std::abs(samples.back()) < 0.01F);
        const AudioSamples held = WavReader::readFilesAside({ file.fileName() }, audioSampleRate).get().at(0).samples;
        ASSERT_NE(held, nullptr);
        EXPECT_TRUE(std::equal(held->begin(), held->end(), samples.begin(), samples.end(),
            [](AudioSample kept, float read) { return kept * audioSampleScale == read; }))
            << file.fileName().toStdString();
    }
    EXPECT_GE(files, 7);
}

TEST_F(CatPlayer, PlaysARandomVariantAtTheProductOfTheVolumesAndAPlayingOneOnlyTakesTheNewVolume)
{
    rig.settings.setTactileSoundVolume(0.5);
    std::size_t asked = 0;
    cats.randomIndex = [&asked](std::size_t count) {
        asked = count;
        return std::size_t { 1 };
    };
    cats.play(Sound::chitter, 0.85);
    EXPECT_EQ(asked, 2U);
    ASSERT_EQ(log().size(), 1U);
    EXPECT_EQ(log()[0].kind, Kind::startCat);
    EXPECT_FLOAT_EQ(log()[0].gain, 0.425F);
    EXPECT_TRUE(cats.isPlaying(Sound::chitter, 1));
    EXPECT_FALSE(cats.isPlaying(Sound::chitter, 0));
    cats.play(Sound::chitter, 1.0);
    ASSERT_EQ(log().size(), 2U);
    EXPECT_EQ(log()[1].kind, Kind::setCatGain);
    EXPECT_FLOAT_EQ(log()[1].gain, 0.5F);
    EXPECT_DOUBLE_EQ(cats.volume(Sound::chitter, 1), 0.5);
}

TEST_F(CatPlayer, IsSilentWhenSoundsAreOffAndStartsAtZeroForAZeroOrUnusableVolume)
{
    rig.settings.setTactileSoundsEnabled(false);
    cats.play(Sound::chirrup, 0.8);
    EXPECT_TRUE(log().empty());
    rig.settings.setTactileSoundsEnabled(true);
    rig.settings.setTactileSoundVolume(0.0);
    cats.play(Sound::chirrup, 0.8);
    ASSERT_EQ(log().size(), 1U);
    EXPECT_EQ(log()[0].gain, 0.0F);
    rig.settings.setTactileSoundVolume(1.0);
    cats.play(Sound::chitter, NAN);
    EXPECT_EQ(log().back().gain, 0.0F);
    cats.play(Sound::purr, 9.0);
    EXPECT_EQ(log().back().gain, 1.0F);
}

TEST_F(CatPlayer, APurrFadesInFourStepsFromTheVolumeReachedThenStops)
{
    cats.fadeOutPurr();
    EXPECT_FALSE(cats.isPurrFading()) << "no purr, no fade";
    cats.play(Sound::purr, 0.08);
    cats.fadeOutPurr();
    cats.purrFadeStep();
    EXPECT_NEAR(cats.volume(Sound::purr, 0), 0.06, 1e-9);
    cats.fadeOutPurr(); // a second fade starts from 0.06
    for (double expected : { 0.045, 0.03, 0.015 }) {
        cats.purrFadeStep();
        EXPECT_NEAR(cats.volume(Sound::purr, 0), expected, 1e-9);
        EXPECT_TRUE(cats.isPlaying(Sound::purr, 0));
    }
    cats.purrFadeStep();
    EXPECT_FALSE(cats.isPlaying(Sound::purr, 0));
    EXPECT_FALSE(cats.isPurrFading());
    EXPECT_EQ(log().back().kind, Kind::stopCat);
}

TEST_F(CatPlayer, StopAllEndsEverythingAndAVariantThatEndedStartsAgain)
{
    cats.play(Sound::purr, 0.1);
    cats.play(Sound::chirrup, 0.8);
    cats.fadeOutPurr();
    cats.stopAll();
    EXPECT_FALSE(cats.isPurrFading());
    EXPECT_FALSE(cats.isPlaying(Sound::purr, 0));
    EXPECT_FALSE(cats.isPlaying(Sound::chirrup, 0));

    cats.play(Sound::chirrup, 0.8);
    std::vector<float> out(48000);
    rig.engine.renderOffline(out.data(), out.size());
    EXPECT_FALSE(cats.isPlaying(Sound::chirrup, 0));
    cats.play(Sound::chirrup, 0.8);
    EXPECT_EQ(log().back().kind, Kind::startCat);
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
    EXPECT_EQ(log()[1].kind, Kind::stopCat);
    EXPECT_EQ(log()[2].kind, Kind::startCat);
    EXPECT_FLOAT_EQ(log()[2].gain, 0.3F);
    EXPECT_EQ(trills.activeSound(), trills.trillCount() - 1);
    trills.play(-2.0);
    EXPECT_EQ(log().back().gain, 0.0F);
}

TEST_F(CatPlayer, FilesAreLookedUpAtTheTopThenTheCaseFolderAndMissingOrCorruptOnesStaySilent)
{
    QTemporaryDir folder;
    auto put = [&folder](const char* relative, const QByteArray& bytes) {
        const QString path = folder.filePath(QString::fromLatin1(relative));
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    };
    const QByteArray good = pcm16(std::vector<std::int16_t>(480, 8000));
    const QByteArray corrupt = QByteArray("RIFF\x20\0\0\0WAVEfmt \x10\0\0\0", 20);
    auto purr = [&] { return CatSoundPlayer::locate(folder.path(), Sound::purr, QStringLiteral("cat-purr-01")); };
    EXPECT_EQ(purr(), std::nullopt);
    for (const char* relative : { "cat-sounds/purr/cat-purr-01.wav", "purr/cat-purr-01.wav", "cat-purr-01.wav" }) {
        const QString path = put(relative, good);
        EXPECT_EQ(purr(), path);
    }

    put("cat-purr-01.wav", good.left(good.size() - 10));
    put("cat-chitter-01.wav", corrupt);
    put("cat-sounds/chitter/cat-chitter-01.wav", good); // not reached: the top one was found
    put("chitter/cat-chitter-02.wav", good);
    CatSoundPlayer local(rig.settings, rig.engine, folder.path());
    EXPECT_EQ(std::tuple(local.variantCount(Sound::chirrup), local.variantCount(Sound::purr)), std::tuple(0, 0));
    ASSERT_EQ(local.variantCount(Sound::chitter), 1);
    EXPECT_EQ(local.variantName(Sound::chitter, 0), QStringLiteral("cat-chitter-02"));
    local.play(Sound::purr, 1.0);
    local.play(Sound::chirrup, 1.0);

    // Trills are every readable wav of the trill folder, in name order.
    put("trill/b.wav", good);
    put("trill/a.wav", good);
    put("trill/broken.wav", corrupt);
    put("trill/notes.txt", "not a sound");
    EXPECT_EQ(TrillPlayer(rig.engine, folder.path()).trillNames(),
        (QStringList { QStringLiteral("a.wav"), QStringLiteral("b.wav") }));
    TrillPlayer none(rig.engine, folder.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(none.trillCount(), 0);
    none.play(1.0);
    EXPECT_EQ(none.activeSound(), std::nullopt);
    EXPECT_TRUE(log().empty());
}

} // namespace
