#include "cues/TrillPlayer.h"

#include <QDir>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(trillLog, "com.dovrant.mewt.direct.sounds")

std::size_t uniformIndex(std::size_t count)
{
    return QRandomGenerator::global()->bounded(static_cast<quint32>(count));
}

} // namespace

TrillPlayer::TrillPlayer(AudioEngine& engine, const QString& resourceRoot, QObject* parent)
    : QObject(parent)
    , randomIndex(&uniformIndex)
    , engine(engine)
{
    folder = QDir(resourceRoot).filePath(QStringLiteral("trill"));
    files = QDir(folder).entryList({ QStringLiteral("*.wav") }, QDir::Files | QDir::Readable, QDir::Name);
}

void TrillPlayer::startDecoding() const
{
    if (settled || decoding.valid())
        return;
    QStringList paths;
    for (const QString& file : std::as_const(files))
        paths.append(QDir(folder).filePath(file));
    decoding = WavReader::readFilesAside(paths, audioSampleRate);
}

void TrillPlayer::settle() const
{
    if (settled)
        return;
    startDecoding();
    settled = true;
    std::vector<WavReader::HeldSound> results = decoding.get();
    for (qsizetype i = 0; i < files.size() && i < qsizetype(results.size()); ++i) {
        WavReader::HeldSound& result = results[static_cast<std::size_t>(i)];
        if (!result.ok()) {
            qCInfo(trillLog) << "trill skipped:" << files[i] << result.error;
            continue;
        }
        sounds.push_back(std::move(result.samples));
        names.push_back(files[i]);
    }
    files.clear();
    if (!sounds.empty())
        voice = engine.reserveCatVoice();
    if (voice < 0) {
        sounds.clear();
        names.clear();
    }
}

void TrillPlayer::play(double volume)
{
    settle();
    if (active)
        engine.stopCat(voice);
    if (sounds.empty()) {
        active.reset();
        return;
    }
    std::size_t pick = randomIndex ? randomIndex(sounds.size()) : 0;
    if (pick >= sounds.size())
        pick = 0;
    active = static_cast<int>(pick);
    activeVolume = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
    if (!engine.isRunning())
        engine.start();
    engine.startCat(voice, sounds[pick], static_cast<float>(activeVolume));
}

} // namespace mewt
