#pragma once

#include <QString>
#include <QtGlobal>

namespace mewt {

// One mewt per user: an advisory lock (flock) on a file in the runtime folder. The kernel drops
// the lock when its holder ends in any way, even `kill -9`, so a file left by a crashed run never
// blocks the next launch; the file itself stays, which keeps two launches from locking two
// different files. A second lock beside the settings file is taken as well: it still guards when
// the first cannot be used, and two launches that see different runtime folders still share it.
class SingleInstanceGuard final {
    Q_DISABLE_COPY_MOVE(SingleInstanceGuard)

public:
    enum class Outcome {
        acquired, // this process is the one instance
        heldElsewhere, // another instance runs: exit and leave it be
        unavailable, // the lock file can't be used; run unguarded rather than not at all
    };

    // An empty `settingsLockPath` takes the first lock only.
    explicit SingleInstanceGuard(QString lockPath = defaultLockPath(), QString settingsLockPath = {});
    ~SingleInstanceGuard();

    // `<runtime folder>/com.dovrant.mewt.direct-<uid>.lock`
    static QString defaultLockPath();
    // `instance.lock` in the settings file's folder.
    static QString defaultSettingsLockPath();

    QString lockPath() const { return path; }
    bool isAcquired() const { return descriptor >= 0 || settingsDescriptor >= 0; }

    Outcome tryAcquire();
    void release();

private:
    QString path;
    QString settingsPath;
    int descriptor = -1;
    int settingsDescriptor = -1;
};

} // namespace mewt
