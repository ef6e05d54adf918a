#include "platform/IniUserDefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMultiHash>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QtDebug>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace mewt {

namespace {

struct CleanedFile {
    QByteArray bytes;
    int damagedLines = 0;
    // Lines that should have held something: keys, or text that is neither a comment nor a section.
    int contentLines = 0;
};

// QSettings gives up on its own writes after a line it cannot parse, and files it a key under a
// section cut short. Only whole sections and key lines reach it; the rest is dropped and counted.
CleanedFile cleaned(const QByteArray& original)
{
    CleanedFile result;
    QByteArray text = original;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    result.bytes.reserve(text.size());
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        bool keep = false;
        if (trimmed.isEmpty()) {
            keep = true;
        } else if (trimmed.startsWith('#') || trimmed.startsWith(';')) {
            keep = false;
        } else if (trimmed.startsWith('[')) {
            keep = trimmed.contains(']');
            result.damagedLines += keep ? 0 : 1;
        } else {
            ++result.contentLines;
            keep = trimmed.contains('=');
            result.damagedLines += keep ? 0 : 1;
        }
        if (keep)
            result.bytes.append(line).append('\n');
    }
    return result;
}

bool isReadableKey(const QString& key)
{
    if (key.isEmpty())
        return false;
    for (const QChar c : key) {
        if (!c.isPrint() || c == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

qsizetype valueBytes(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString().size();
    case QMetaType::QByteArray: return value.toByteArray().size();
    case QMetaType::QStringList: {
        qsizetype total = 0;
        for (const QString& part : value.toStringList())
            total += part.size();
        return total;
    }
    default: return 0;
    }
}

// QSettings keeps a parsed copy of every file it read; reopening a name that is gone empties it.
void forgetParsedFile(const QString& path)
{
    QSettings(path, QSettings::IniFormat).allKeys();
}

QString temporaryPrefix(const QString& path)
{
    return QFileInfo(path).fileName() + QStringLiteral(".write-");
}

QString temporaryName(const QString& path, const QString& tag)
{
    return QStringLiteral("%1.write-%2-%3").arg(path).arg(QCoreApplication::applicationPid()).arg(tag);
}

// A file system that cannot sync at all (EINVAL) has nothing more to give, so that counts as landed;
// an I/O error or a full disk does not.
bool syncDataToDisk(int fd)
{
    int result = 0;
    do
        result = ::fdatasync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0 || errno == EINVAL;
}

const Clock& systemClock()
{
    static const SystemClock clock;
    return clock;
}

// Another instance in this process over the same file writes its changes first, so that a store
// opened later reads them.
std::mutex registryMutex;
QMultiHash<QString, IniUserDefaults*>& registry()
{
    static QMultiHash<QString, IniUserDefaults*> instances;
    return instances;
}

} // namespace

// Owns the copy of the values that goes to disk. The GUI thread only queues changes; this thread
// gathers those made within writeDelay, writes a temporary file beside the settings file, puts it
// on the disk and renames it over, under the file's lock taken with a timeout.
class IniUserDefaults::Writer {
public:
    Writer(QString path, QHash<QString, QVariant> contents, const Clock& clock, std::function<bool(int)> syncData)
        : path(std::move(path))
        , clock(clock)
        , syncData(std::move(syncData))
        , contents(std::move(contents))
        , thread([this] { run(); })
    {
    }

    ~Writer()
    {
        flush();
        {
            const std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        thread.join();
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void post(const QString& key, std::optional<QVariant> value)
    {
        {
            const std::lock_guard lock(mutex);
            queued.push_back({ key, std::move(value) });
        }
        wake.notify_all();
    }

    void flush()
    {
        std::unique_lock lock(mutex);
        if (queued.empty() && !dirty && !attemptRunning)
            return;
        // An attempt under way may have started before the latest changes were queued.
        const quint64 ticket = attemptsFinished + (attemptRunning && !queued.empty() ? 2 : 1);
        flushRequested = true;
        wake.notify_all();
        settled.wait(lock, [&] { return attemptsFinished >= ticket; });
    }

    int writes() const { return writeCount.load(); }

private:
    struct Change {
        QString key;
        std::optional<QVariant> value;
    };

    void run()
    {
        std::unique_lock lock(mutex);
        const auto hasWork = [this] { return stopping || flushRequested || !queued.empty(); };
        for (;;) {
            // After a failed write, try again later even without a new change.
            if (dirty)
                wake.wait_for(lock, retryDelay, hasWork);
            else
                wake.wait(lock, hasWork);
            if (stopping)
                return;
            if (!flushRequested)
                wake.wait_for(lock, writeDelay, [this] { return stopping || flushRequested; });
            std::vector<Change> batch;
            batch.swap(queued);
            flushRequested = false;
            attemptRunning = true;
            const bool pending = dirty || !batch.empty();
            lock.unlock();

            for (Change& change : batch) {
                if (change.value)
                    contents.insert(change.key, std::move(*change.value));
                else
                    contents.remove(change.key);
            }
            const bool written = !pending || writeFile();

            lock.lock();
            attemptRunning = false;
            dirty = !written;
            ++attemptsFinished;
            settled.notify_all();
        }
    }

    // The file's text in QSettings' own form, which only QSettings writes, and only to a file.
    std::optional<QByteArray> settingsText(const QString& temporary) const
    {
        if (!QFile(temporary).open(QIODevice::WriteOnly | QIODevice::Truncate))
            return std::nullopt;
        {
            QSettings settings(temporary, QSettings::IniFormat);
            settings.setFallbacksEnabled(false);
            for (auto it = contents.cbegin(); it != contents.cend(); ++it)
                settings.setValue(it.key(), it.value());
            settings.sync();
            if (settings.status() != QSettings::NoError)
                return std::nullopt;
        }
        QFile written(temporary);
        if (!written.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray text = written.readAll();
        if (written.error() != QFileDevice::NoError)
            return std::nullopt;
        return text;
    }

    bool writeFile()
    {
        const QString temporary = temporaryName(path, QString::number(++temporaryCount));
        // QSettings syncs the file it makes and ignores the answer, which the kernel gives only once: a
        // sync through a descriptor opened afterwards would find nothing wrong. So the text is written
        // again here, through a descriptor whose sync answers for every byte of it.
        const std::optional<QByteArray> text = settingsText(temporary);
        QFile file(temporary);
        bool staged = text && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(*text) == text->size()
            && file.flush() && syncData(file.handle());
        file.close();
        if (!staged || file.error() != QFileDevice::NoError)
            return failed(temporary, "could not write settings to", true);

        // The instance lock already keeps a second copy of the app away, so a lock file we may not
        // open (left by a run as root) is replaced, or written past when it cannot be removed.
        const QString lockPath = path + QStringLiteral(".lock");
        QLockFile fileLock(lockPath);
        if (!usableLock(lockPath)) {
            if (QFile::remove(lockPath) || !QFileInfo::exists(lockPath))
                fileLock.tryLock(0);
            if (!reportedLock) {
                reportedLock = true;
                qWarning("mewt: the settings lock %s cannot be opened; writing without it", qPrintable(lockPath));
            }
        } else {
            removeAbandonedLock(lockPath);
            if (!fileLock.tryLock(static_cast<int>(lockTimeout.count())))
                return failed(temporary, "another program holds the lock of", false);
        }
        // A settings file linked from elsewhere (a dotfiles folder) stays a link.
        const QFileInfo info(path);
        const QString target = info.isSymLink() ? info.symLinkTarget() : path;
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
            return failed(temporary, "could not replace", true);
        fileLock.unlock();
        forgetParsedFile(temporary);
        ++writeCount;
        if (reportedFailure) {
            const Uptime now = clock.uptime();
            if (!landingSince) {
                landingSince = now;
            } else if (now - *landingSince >= failureQuietTime) {
                endFailureRun();
                qWarning("mewt: settings written to %s again", qPrintable(path));
            }
        }
        return true;
    }

    void endFailureRun()
    {
        reportedFailure = false;
        noticeSent = false;
        landingSince.reset();
    }

    // A lock that exists but cannot be read cannot say who holds it; one that is ours or another
    // live program's can always be read.
    static bool usableLock(const QString& lockPath)
    {
        const QFileInfo info(lockPath);
        if (!info.exists() && !info.isSymLink())
            return true;
        QFile lock(lockPath);
        return info.isFile() && lock.open(QIODevice::ReadOnly);
    }

    // A crash between making the lock and writing into it leaves it empty, and QLockFile would wait
    // half a minute for it to age: long enough for a quit to lose its last save. A live holder
    // fills it within the same call, so an empty lock older than a moment has none. (One naming a
    // process that no longer runs QLockFile takes at once by itself.)
    static void removeAbandonedLock(const QString& lockPath)
    {
        const QFileInfo info(lockPath);
        if (info.isFile() && info.size() == 0
            && info.lastModified().msecsTo(QDateTime::currentDateTime()) >= abandonedLockAge.count())
            QFile::remove(lockPath);
    }

    bool failed(const QString& temporary, const char* problem, bool noticeable)
    {
        QFile::remove(temporary);
        forgetParsedFile(temporary);
        // Writes that landed in between, but not for long, leave the run going: one notice for a
        // disk that flaps.
        if (landingSince && clock.uptime() - *landingSince >= failureQuietTime)
            endFailureRun();
        landingSince.reset();
        if (!reportedFailure) {
            reportedFailure = true;
            qWarning("mewt: %s %s; changes are kept in memory and tried again", problem, qPrintable(path));
        }
        if (noticeable && !noticeSent) {
            noticeSent = true;
            const std::lock_guard lock(mutex);
            if (onFailure)
                onFailure();
        }
        return false;
    }

public:
    // Runs on the writer thread once per run of writes that fail on the disk.
    void setFailureHandler(std::function<void()> handler)
    {
        const std::lock_guard lock(mutex);
        onFailure = std::move(handler);
    }

private:
    const QString path;
    const Clock& clock;
    const std::function<bool(int)> syncData;
    // Touched by the writer thread only.
    QHash<QString, QVariant> contents;
    quint64 temporaryCount = 0;
    // A run of failures is under way: it was logged.
    bool reportedFailure = false;
    bool reportedLock = false;
    bool noticeSent = false;
    // Since when writes have landed without a failure, while a run is under way.
    std::optional<Uptime> landingSince;
    std::function<void()> onFailure;
    std::atomic<int> writeCount { 0 };

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable settled;
    std::vector<Change> queued;
    bool flushRequested = false;
    bool attemptRunning = false;
    bool dirty = false;
    bool stopping = false;
    quint64 attemptsFinished = 0;

    std::thread thread;
};

IniUserDefaults::IniUserDefaults(const QString& path)
    : IniUserDefaults(path, systemClock(), syncDataToDisk)
{
}

IniUserDefaults::IniUserDefaults(const QString& path, const Clock& clock, std::function<bool(int fd)> syncData)
    : filePath(QFileInfo(path).absoluteFilePath())
{
    {
        const std::lock_guard lock(registryMutex);
        const QList<IniUserDefaults*> others = registry().values(filePath);
        for (IniUserDefaults* other : others)
            other->flush();
        registry().insert(filePath, this);
    }
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    load();
    writer = std::make_unique<Writer>(filePath, values, clock, std::move(syncData));
}

IniUserDefaults::~IniUserDefaults()
{
    writer.reset();
    const std::lock_guard lock(registryMutex);
    registry().remove(filePath, this);
}

QString IniUserDefaults::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mewt/mewt.conf");
}

void IniUserDefaults::load()
{
    const QFileInfo info(filePath);
    // A crash between writing a temporary file and renaming it leaves that file behind.
    const QString ownPrefix = temporaryPrefix(filePath) + QString::number(QCoreApplication::applicationPid()) + u'-';
    for (const QString& leftover :
        info.dir().entryList({ temporaryPrefix(filePath) + u'*' }, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!leftover.startsWith(ownPrefix))
            QFile::remove(info.dir().filePath(leftover));
    }

    QFile file(filePath);
    if (!file.exists())
        return;
    QByteArray original;
    if (file.open(QIODevice::ReadOnly))
        original = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        // Permissions or the disk: nothing says the contents are bad, so they are neither set aside
        // nor written over; this run uses the defaults and keeps its changes in memory.
        keepFileAsIs = true;
        qWarning("mewt: settings file %s cannot be read (%s); running on defaults and leaving it as it is",
            qPrintable(filePath), qPrintable(file.errorString()));
        return;
    }
    file.close();

    const CleanedFile clean = cleaned(original);
    int oversized = 0;
    // Read through a name of our own: QSettings might otherwise answer from an older parse of the
    // same name.
    const QString copy = temporaryName(filePath, QStringLiteral("read"));
    QFile copyFile(copy);
    // A full disk fails the copy, often only when its buffer is flushed; the file itself is then
    // read as it is, as in a folder we cannot write to.
    bool copied = copyFile.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && copyFile.write(clean.bytes) == clean.bytes.size() && copyFile.flush();
    copyFile.close();
    copied = copied && copyFile.error() == QFileDevice::NoError && QFileInfo(copy).size() == clean.bytes.size();
    {
        QSettings settings(copied ? copy : filePath, QSettings::IniFormat);
        settings.setFallbacksEnabled(false);
        int junkKeys = 0;
        for (const QString& key : settings.allKeys()) {
            const QVariant value = settings.value(key);
            if (!isReadableKey(key) || !value.isValid())
                ++junkKeys;
            else if (valueBytes(value) > largestValueBytes)
                ++oversized;
            else
                values.insert(key, value);
        }
        QFile::remove(copy);
        forgetParsedFile(copy);
        if (!values.isEmpty() && (clean.damagedLines > 0 || junkKeys > 0))
            qWarning("mewt: skipped %d unreadable line(s) of the settings file %s; every readable value is kept",
                clean.damagedLines + junkKeys, qPrintable(filePath));
        if (oversized > 0)
            qWarning("mewt: %d value(s) over %lld bytes in %s are not used", oversized,
                static_cast<long long>(largestValueBytes), qPrintable(filePath));
    }

    // A file that held only values too big to use was read; it is mended by the next write.
    if (!values.isEmpty() || oversized > 0 || clean.contentLines == 0)
        return;
    if (!copied) {
        // Read past its cleaning, the file may look emptier than it is.
        keepFileAsIs = true;
        qWarning("mewt: settings file %s could not be read whole (%s); running on defaults and leaving it as it is",
            qPrintable(filePath), qPrintable(copyFile.errorString()));
        return;
    }
    // Nothing could be read: keep the file for the user under a name no earlier copy holds.
    for (int number = 1; number < 1000; ++number) {
        const QString aside
            = filePath + QStringLiteral(".broken") + (number > 1 ? QStringLiteral("-%1").arg(number) : QString());
        if (QFile::exists(aside))
            continue;
        if (QFile::rename(filePath, aside))
            qWarning("mewt: settings file %s could not be read; moved to %s", qPrintable(filePath), qPrintable(aside));
        else
            qWarning("mewt: settings file %s could not be read nor moved aside", qPrintable(filePath));
        return;
    }
}

void IniUserDefaults::remove(const QString& key)
{
    if (values.remove(key) > 0 && !keepFileAsIs)
        writer->post(key, std::nullopt);
}

void IniUserDefaults::flush()
{
    writer->flush();
}

void IniUserDefaults::setWriteFailureHandler(QObject* context, std::function<void()> handler)
{
    if (!context || !handler) {
        writer->setFailureHandler({});
        return;
    }
    // Posted to the context, so a context destroyed meanwhile drops it.
    writer->setFailureHandler(
        [context, handler = std::move(handler)] { QMetaObject::invokeMethod(context, handler, Qt::QueuedConnection); });
}

int IniUserDefaults::diskWriteCount() const
{
    return writer->writes();
}

std::optional<QVariant> IniUserDefaults::rawValue(const QString& key) const
{
    const auto it = values.constFind(key);
    if (it == values.cend())
        return std::nullopt;
    return *it;
}

void IniUserDefaults::writeValue(const QString& key, const QVariant& value)
{
    // Stores write their values back at start; what is already there needs no write.
    if (const auto it = values.constFind(key); it != values.cend() && it->typeId() == value.typeId() && *it == value)
        return;
    values.insert(key, value);
    if (!keepFileAsIs)
        writer->post(key, value);
}

} // namespace mewt
