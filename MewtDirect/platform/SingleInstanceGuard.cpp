#include "platform/SingleInstanceGuard.h"

#include "platform/AppInfo.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mewt {

SingleInstanceGuard::SingleInstanceGuard(QString lockPath)
    : path(std::move(lockPath))
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

SingleInstanceGuard::Outcome SingleInstanceGuard::tryAcquire()
{
    if (isAcquired())
        return Outcome::acquired;
    const QByteArray native = QFile::encodeName(path);
    const int file = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file < 0)
        return Outcome::unavailable;
    if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(file);
        return error == EWOULDBLOCK ? Outcome::heldElsewhere : Outcome::unavailable;
    }
    descriptor = file;
    // Only for people looking at the file; the lock itself is what counts.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(descriptor, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(descriptor, pid.constData(), size_t(pid.size()));
    }
    return Outcome::acquired;
}

void SingleInstanceGuard::release()
{
    if (!isAcquired())
        return;
    ::close(descriptor);
    descriptor = -1;
}

} // namespace mewt
