#include "shell/LoginItemService.h"

#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace mewt {

namespace {

// Marks the entries mewt wrote, the only ones it will delete.
const QByteArray ownerKey = "X-Mewt-Managed";
// A real autostart entry is a few hundred bytes; anything past this is not read.
constexpr qint64 maximumEntrySize = 64 * 1024;

struct EntryState {
    bool exists = false;
    bool enabled = false;
    bool ours = false;
};

QHash<QByteArray, QByteArray> desktopEntryGroup(const QByteArray& content)
{
    QHash<QByteArray, QByteArray> keys;
    bool inGroup = false;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

EntryState readEntry(const QString& path)
{
    const QFileInfo info(path);
    EntryState state;
    state.exists = info.exists() || info.isSymLink();
    QFile file(path);
    // An entry the session cannot read is not started, so it counts as off.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return state;
    const QHash<QByteArray, QByteArray> keys = desktopEntryGroup(file.read(maximumEntrySize));
    if (keys.isEmpty())
        return state;
    state.enabled = keys.value("Hidden") != "true" && keys.value("X-GNOME-Autostart-enabled") != "false";
    state.ours = keys.value(ownerKey) == "true";
    return state;
}

QString shownPath(const QString& path)
{
    const QString home = QDir::homePath();
    if (home.size() > 1 && (path == home || path.startsWith(home + u'/')))
        return u'~' + path.mid(home.size());
    return path;
}

// Escapes of a desktop entry's string values.
QString stringValue(const QString& text)
{
    QString value;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': value += QStringLiteral("\\\\"); break;
        case '\n': value += QStringLiteral("\\n"); break;
        case '\t': value += QStringLiteral("\\t"); break;
        case '\r': value += QStringLiteral("\\r"); break;
        default: value += c;
        }
    }
    return value;
}

bool needsNoQuoting(const QString& argument)
{
    return !argument.isEmpty() && std::all_of(argument.begin(), argument.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'
            || c == u'_' || c == u'.' || c == u'/' || c == u'+';
    });
}

QStringList pathFolders()
{
    return qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
}

QString turnOnFailure(const QString& reason)
{
    return QCoreApplication::translate("mewt", "couldn't turn on open at login: %1.").arg(reason);
}

QString turnOffFailure(const QString& reason)
{
    return QCoreApplication::translate("mewt", "couldn't turn off open at login: %1.").arg(reason);
}

} // namespace

LoginItemService::LoginItemService(QObject* parent)
    : LoginItemService(defaultEntryPath(), runningExecutablePath(), parent)
{
    adoptEarlierEntry(QFileInfo(path).absolutePath() + QStringLiteral("/mewt.desktop"), *this);
}

void LoginItemService::adoptEarlierEntry(const QString& earlier, LoginItemService& current)
{
    const EntryState found = readEntry(earlier);
    if (!found.ours || earlier == current.path)
        return;
    if (QFileInfo::exists(current.path) ? QFile::remove(earlier) : QFile::rename(earlier, current.path)) {
        current.refresh();
        if (current.isEnabled())
            current.setEnabled(true);
    }
}

LoginItemService::LoginItemService(QString entryPath, QString executablePath, QObject* parent)
    : LoginItemService(std::move(entryPath), std::move(executablePath), pathFolders(), parent)
{
}

LoginItemService::LoginItemService(
    QString entryPath, QString executablePath, QStringList commandSearchPath, QObject* parent)
    : LoginItemSwitching(parent)
    , path(std::move(entryPath))
    , executable(std::move(executablePath))
    , searchPath(std::move(commandSearchPath))
{
    refresh();
}

QString LoginItemService::defaultEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/%1.desktop").arg(QString::fromUtf8(AppInfo::bundleIdentifier));
}

QString LoginItemService::runningExecutablePath()
{
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    if (!appImage.isEmpty() && QFileInfo(appImage).isAbsolute() && QFileInfo(appImage).isFile())
        return appImage;
    return QCoreApplication::applicationFilePath();
}

QString LoginItemService::execArgument(const QString& argument)
{
    // Quoting escapes " ` $ and \ with a backslash and % is doubled; then the value itself is a
    // string whose own escaping doubles every backslash again.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c == u'%' ? QStringLiteral("%%") : QString(c);
    }
    quoted += u'"';
    return stringValue(quoted);
}

QString LoginItemService::launchCommand(const QString& executable, const QStringList& searchPath)
{
    const QFileInfo program(executable);
    // An empty list would make findExecutable search the real PATH.
    if (searchPath.isEmpty() || program.fileName().isEmpty())
        return executable;
    // Another program of the same name earlier on PATH would be started instead of this one.
    const QString found = QStandardPaths::findExecutable(program.fileName(), searchPath);
    const QString canonical = program.canonicalFilePath();
    if (!found.isEmpty() && !canonical.isEmpty() && QFileInfo(found).canonicalFilePath() == canonical)
        return program.fileName();
    return executable;
}

void LoginItemService::refresh()
{
    const bool nowEnabled = readEntry(path).enabled;
    if (nowEnabled != enabled) {
        enabled = nowEnabled;
        Q_EMIT isEnabledChanged(enabled);
    }
}

void LoginItemService::setEnabled(bool enable)
{
    setError(std::nullopt);
    if (std::optional<QString> failure = enable ? addEntry() : removeEntry())
        setError(std::move(failure));
    refresh();
}

std::optional<QString> LoginItemService::addEntry()
{
    const EntryState current = readEntry(path);
    // Someone's own entry that already starts mewt is left as it is.
    if (current.enabled && !current.ours)
        return std::nullopt;

    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return turnOnFailure(QCoreApplication::translate("mewt", "%1 can't be created").arg(shownPath(folder)));

    const QString command = launchCommand(executable, searchPath);
    const QString content
        = QStringLiteral("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=%1\n"
                         "Exec=%2\n"
                         "TryExec=%3\n"
                         "Icon=%4\n"
                         "Terminal=false\n"
                         "StartupNotify=false\n"
                         "X-GNOME-Autostart-enabled=true\n"
                         "%5=true\n")
              .arg(QString::fromUtf8(AppInfo::displayName), needsNoQuoting(command) ? command : execArgument(command),
                  stringValue(command), QString::fromUtf8(AppInfo::bundleIdentifier), QString::fromLatin1(ownerKey));
    // Written beside the old entry and renamed over it, so a crash leaves either one whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0 || !file.commit())
        return turnOnFailure(QCoreApplication::translate("mewt", "%1 can't be written").arg(shownPath(path)));
    return std::nullopt;
}

std::optional<QString> LoginItemService::removeEntry()
{
    const EntryState current = readEntry(path);
    if (current.ours) {
        if (!QFile::remove(path))
            return turnOffFailure(QCoreApplication::translate("mewt", "%1 can't be removed").arg(shownPath(path)));
        return std::nullopt;
    }
    if (current.enabled)
        return turnOffFailure(QCoreApplication::translate("mewt", "%1 wasn't made by mewt").arg(shownPath(path)));
    return std::nullopt;
}

void LoginItemService::setError(std::optional<QString> message)
{
    if (message == error)
        return;
    error = std::move(message);
    Q_EMIT errorMessageChanged();
}

} // namespace mewt
