#include "cues/CatSoundPlayer.h"

#include "model/InterfaceSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(catLog, "com.dovrant.mewt.direct.sounds")

std::size_t uniformIndex(std::size_t count)
{
    return QRandomGenerator::global()->bounded(static_cast<quint32>(count));
}

double heldVolume(double volume)
{
    return std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
}

} // namespace

CatSoundPlayer::CatSoundPlayer(
    InterfaceSettingsStore& settings, AudioEngine& engine, const QString& resourceRoot, QObject* parent)
    : QObject(parent)
    , randomIndex(&uniformIndex)
    , settings(settings)
    , engine(engine)
{
    for (Sound sound : allSounds) {
        for (const QString& fileName : fileNames(sound)) {
            const std::optional<QString> path = locate(resourceRoot, sound, fileName);
            if (!path) {
                qCInfo(catLog) << "cat sound missing:" << fileName;
                continue;
            }
            located.push_back({ sound, fileName, *path });
        }
    }
    purrFadeTimer.setTimerType(Qt::PreciseTimer);
    purrFadeTimer.setInterval(purrFadeInterval);
    connect(&purrFadeTimer, &QTimer::timeout, this, &CatSoundPlayer::purrFadeStep);
}

CatSoundPlayer::~CatSoundPlayer() = default;

void CatSoundPlayer::startDecoding() const
{
    if (settled || decoding.valid())
        return;
    QStringList paths;
    for (const Located& file : located)
        paths.append(file.path);
    decoding = WavReader::readFilesAside(paths, audioSampleRate);
}

void CatSoundPlayer::settle() const
{
    if (settled)
        return;
    startDecoding();
    settled = true;
    std::vector<WavReader::HeldSound> results = decoding.get();
    for (std::size_t i = 0; i < located.size() && i < results.size(); ++i) {
        const Located& file = located[i];
        if (!results[i].ok()) {
            qCInfo(catLog) << "cat sound skipped:" << file.path << results[i].error;
            continue;
        }
        const int voice = engine.reserveCatVoice();
        if (voice < 0)
            continue;
        sounds[index(file.sound)].push_back({ file.fileName, std::move(results[i].samples), voice, 1.0 });
    }
    located.clear();
}

QString CatSoundPlayer::caseName(Sound sound)
{
    switch (sound) {
    case Sound::chirrup: return QStringLiteral("chirrup");
    case Sound::purr: return QStringLiteral("purr");
    case Sound::chitter: return QStringLiteral("chitter");
    }
    return {};
}

QStringList CatSoundPlayer::fileNames(Sound sound)
{
    switch (sound) {
    case Sound::chirrup: return { QStringLiteral("cat-chirrup-01") };
    case Sound::purr: return { QStringLiteral("cat-purr-01") };
    case Sound::chitter: return { QStringLiteral("cat-chitter-01"), QStringLiteral("cat-chitter-02") };
    }
    return {};
}

std::optional<QString> CatSoundPlayer::locate(const QString& resourceRoot, Sound sound, const QString& fileName)
{
    const QDir root(resourceRoot);
    const QString file = fileName + QStringLiteral(".wav");
    const QString name = caseName(sound);
    for (const QString& candidate :
        { file, name + QLatin1Char('/') + file, QStringLiteral("cat-sounds/") + name + QLatin1Char('/') + file }) {
        const QString path = root.filePath(candidate);
        if (QFileInfo(path).isFile())
            return path;
    }
    return std::nullopt;
}

const CatSoundPlayer::Variant* CatSoundPlayer::variantAt(Sound sound, int variant) const
{
    settle();
    const auto& variants = sounds[index(sound)];
    if (variant < 0 || variant >= static_cast<int>(variants.size()))
        return nullptr;
    return &variants[static_cast<std::size_t>(variant)];
}

QString CatSoundPlayer::variantName(Sound sound, int variant) const
{
    const Variant* found = variantAt(sound, variant);
    return found ? found->name : QString();
}

bool CatSoundPlayer::isPlaying(Sound sound, int variant) const
{
    // Nothing has played before the sounds were taken in.
    if (!settled)
        return false;
    const Variant* found = variantAt(sound, variant);
    return found && engine.isCatPlaying(found->voice);
}

double CatSoundPlayer::volume(Sound sound, int variant) const
{
    const Variant* found = variantAt(sound, variant);
    return found ? found->volume : 0.0;
}

void CatSoundPlayer::play(Sound sound, double volume)
{
    if (!settings.tactileSoundsEnabled())
        return;
    settle();
    auto& variants = sounds[index(sound)];
    if (variants.empty())
        return;
    std::size_t pick = randomIndex ? randomIndex(variants.size()) : 0;
    if (pick >= variants.size())
        pick = 0;
    Variant& variant = variants[pick];
    variant.volume = heldVolume(settings.tactileSoundVolume() * volume);
    if (engine.isCatPlaying(variant.voice)) {
        engine.setCatGain(variant.voice, static_cast<float>(variant.volume));
        return;
    }
    if (!engine.isRunning())
        engine.start();
    engine.startCat(variant.voice, variant.samples, static_cast<float>(variant.volume));
}

void CatSoundPlayer::fadeOutPurr()
{
    purrFadeTimer.stop();
    fading.clear();
    if (!settled)
        return;
    const auto& purrs = sounds[index(Sound::purr)];
    for (std::size_t i = 0; i < purrs.size(); ++i) {
        if (engine.isCatPlaying(purrs[i].voice))
            fading.push_back({ i, purrs[i].volume });
    }
    if (fading.empty())
        return;
    purrFadeStepIndex = 0;
    purrFadeTimer.start();
}

void CatSoundPlayer::purrFadeStep()
{
    if (fading.empty()) {
        purrFadeTimer.stop();
        return;
    }
    ++purrFadeStepIndex;
    auto& purrs = sounds[index(Sound::purr)];
    for (const Fading& entry : fading) {
        Variant& variant = purrs[entry.variant];
        variant.volume = entry.startVolume * (purrFadeSteps - purrFadeStepIndex) * 0.25;
        if (purrFadeStepIndex >= purrFadeSteps)
            engine.stopCat(variant.voice);
        else
            engine.setCatGain(variant.voice, static_cast<float>(variant.volume));
    }
    if (purrFadeStepIndex >= purrFadeSteps) {
        fading.clear();
        purrFadeTimer.stop();
    }
}

void CatSoundPlayer::stopAll()
{
    purrFadeTimer.stop();
    fading.clear();
    if (!settled)
        return;
    for (const auto& variants : sounds) {
        for (const Variant& variant : variants)
            engine.stopCat(variant.voice);
    }
}

} // namespace mewt
