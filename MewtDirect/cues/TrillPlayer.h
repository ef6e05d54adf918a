#pragma once

#include "platform/AudioEngine.h"
#include "platform/WavReader.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <future>
#include <optional>
#include <vector>

namespace mewt {

// One of the trills in the "trill" folder, for a click on the paw. It does not read the settings:
// its caller decides whether to play and passes the interface-sound volume. A new trill cuts the
// one before. The files are decoded on a thread of their own, started by `loadSounds` (the app
// calls it once the paw is on screen) or else by the first call that needs them, which waits for
// the rest.
class TrillPlayer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrillPlayer)

public:
    explicit TrillPlayer(
        AudioEngine& engine, const QString& resourceRoot = QStringLiteral(":/"), QObject* parent = nullptr);

    void loadSounds() { startDecoding(); }
    void play(double volume);

    int trillCount() const
    {
        settle();
        return static_cast<int>(sounds.size());
    }
    // File names of the loaded trills, in name order.
    const QStringList& trillNames() const
    {
        settle();
        return names;
    }
    std::optional<int> activeSound() const { return active; }
    bool isPlaying() const { return active && engine.isCatPlaying(voice); }
    double volume() const { return activeVolume; }

    std::function<std::size_t(std::size_t count)> randomIndex;

private:
    void startDecoding() const;
    // Takes the decoded trills in, and a voice for them, the first time anything needs them.
    void settle() const;

    AudioEngine& engine;
    mutable std::vector<AudioSamples> sounds;
    mutable QStringList names;
    QString folder;
    mutable QStringList files;
    mutable std::future<std::vector<WavReader::HeldSound>> decoding;
    mutable bool settled = false;
    std::optional<int> active;
    double activeVolume = 0.0;
    mutable int voice = -1;
};

} // namespace mewt
