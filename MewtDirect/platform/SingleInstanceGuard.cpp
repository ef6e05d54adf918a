#include "platform/SingleInstanceGuard.h"

#include "platform/AppInfo.h"
#include "platform/IniUserDefaults.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mewt {

SingleInstanceGuard::SingleInstanceGuard(QString lockPath, QString settingsLockPath)
    : path(std::move(lockPath))
    , settingsPath(std::move(settingsLockPath))
{
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

QString SingleInstanceGuard::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    // The user id keeps users apart even when the fallback folder is shared.
    return QStringLiteral("%1/%2-%3.lock").arg(folder, QString::fromUtf8(AppInfo::bundleIdentifier)).arg(::getuid());
}

namespace {

SingleInstanceGuard::Outcome lockFile(const QString& path, int& descriptor)
{
    const QByteArray native = QFile::encodeName(path);
    const int file = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file < 0)
        return SingleInstanceGuard::Outcome::unavailable;
    if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(file);
        return error == EWOULDBLOCK ? SingleInstanceGuard::Outcome::heldElsewhere
                                    : SingleInstanceGuard::Outcome::unavailable;
    }
    descriptor = file;
    // Only for people looking at the file; the lock itself is what counts.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(descriptor, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(descriptor, pid.constData(), size_t(pid.size()));
    }
    return SingleInstanceGuard::Outcome::acquired;
}

} // namespace

QString SingleInstanceGuard::defaultSettingsLockPath()
{
    return QFileInfo(IniUserDefaults::defaultPath()).absolutePath() + QStringLiteral("/instance.lock");
}

SingleInstanceGuard::Outcome SingleInstanceGuard::tryAcquire()
{
    if (isAcquired())
        return Outcome::acquired;
    const Outcome first = lockFile(path, descriptor);
    if (first == Outcome::heldElsewhere || settingsPath.isEmpty())
        return first;
    QDir().mkpath(QFileInfo(settingsPath).absolutePath());
    const Outcome second = lockFile(settingsPath, settingsDescriptor);
    if (second == Outcome::heldElsewhere) {
        release();
        return Outcome::heldElsewhere;
    }
    return first == Outcome::acquired ? first : second;
}

void SingleInstanceGuard::release()
{
    for (int* held : { &descriptor, &settingsDescriptor }) {
        if (*held >= 0)
            ::close(*held);
        *held = -1;
    }
}

} // namespace mewt
