#pragma once

#include "platform/AudioMixer.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <future>
#include <optional>
#include <vector>

namespace mewt {

// Reads RIFF/WAVE files into mono float samples at a chosen rate. Every chunk size is checked
// against the bytes that remain, so a short, corrupt or hostile file is refused with a reason
// instead of being read past its end. Accepted: PCM with 8, 16, 24 or 32-bit integers or 32-bit
// floats (plain or in the extensible header), one or two channels (mixed down), 8 to 192 kHz
// (resampled linearly), at most a minute of sound.
class WavReader final {
public:
    static constexpr qsizetype maximumFileBytes = 32 * 1024 * 1024;
    static constexpr double maximumSeconds = 60.0;

    struct Result {
        std::vector<float> samples;
        QString error; // empty when the file was read

        bool ok() const { return error.isEmpty(); }
    };

    // A file read for playing, its samples held as the engine holds them.
    struct HeldSound {
        AudioSamples samples; // null when the file was not read
        QString error;

        bool ok() const { return error.isEmpty(); }
    };

    static Result decode(QByteArrayView bytes, int targetRate);
    // Reads a file (a Qt resource path works too) and decodes it.
    static Result readFile(const QString& path, int targetRate);
    // Reads the files on a thread of its own, one result per path in the same order: whoever
    // needs them waits only for what is left by then. Each file's floats go as soon as it is held.
    static std::future<std::vector<HeldSound>> readFilesAside(const QStringList& paths, int targetRate);
};

} // namespace mewt
