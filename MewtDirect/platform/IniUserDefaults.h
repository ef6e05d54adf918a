#pragma once

#include "platform/Clock.h"
#include "platform/UserDefaults.h"

#include <QHash>
#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

namespace mewt {

// The real store: an INI file. Values live in memory, so reads and writes never wait for the
// disk; a background writer puts each change on disk shortly after (changes made together go in
// one write), so a crash a moment after a change keeps it. A damaged file keeps every value that
// can be read; one with nothing readable is set aside under a name no earlier copy has. A file that
// cannot be read at all (permissions, the disk) is left alone: the run uses defaults in memory.
// A new file replaces the old one only once its data is on the disk.
class IniUserDefaults final : public UserDefaults {
public:
    // Changes made within this time of each other go to the disk together.
    static constexpr std::chrono::milliseconds writeDelay { 25 };
    // Longest wait for the file's lock; a lock held longer is tried again later.
    static constexpr std::chrono::milliseconds lockTimeout { 250 };
    // An empty lock this old was left by a crash, not by a holder still writing its name into it.
    static constexpr std::chrono::milliseconds abandonedLockAge { 1000 };
    static constexpr std::chrono::milliseconds retryDelay { 2000 };
    // Failures come in runs (a disk that flaps fails every other write): a run ends once writes
    // have landed this long without one failing, and only a failure after that is news again.
    static constexpr std::chrono::minutes failureQuietTime { 10 };
    // No value of ours comes near this; a bigger one is junk and reads as absent.
    static constexpr qsizetype largestValueBytes = 1024 * 1024;

    explicit IniUserDefaults(const QString& path = defaultPath());
    // `syncData` puts what was written to a file descriptor on the disk, true once it is there
    // (fdatasync); tests stand in for it and for the clock.
    IniUserDefaults(const QString& path, const Clock& clock, std::function<bool(int fd)> syncData);
    // Waits for the last changes to be written (or to fail).
    ~IniUserDefaults() override;
    Q_DISABLE_COPY_MOVE(IniUserDefaults)

    // $XDG_CONFIG_HOME/mewt/mewt.conf, or ~/.config/mewt/mewt.conf.
    static QString defaultPath();

    QString path() const { return filePath; }
    void remove(const QString& key) override;
    void flush() override;

    // Runs on the context's thread when changes cannot reach the disk (once per run of failures).
    // The context must outlive the handler or be unset first, with a null context.
    void setWriteFailureHandler(QObject* context, std::function<void()> handler);

    // How many times the file was replaced since the store was opened.
    int diskWriteCount() const;

protected:
    std::optional<QVariant> rawValue(const QString& key) const override;
    void writeValue(const QString& key, const QVariant& value) override;

private:
    class Writer;

    void load();

    QString filePath;
    QHash<QString, QVariant> values;
    // Set when the file could not be read: nothing is written over it.
    bool keepFileAsIs = false;
    std::unique_ptr<Writer> writer;
};

} // namespace mewt
