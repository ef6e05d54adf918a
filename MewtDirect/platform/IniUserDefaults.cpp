#include "platform/IniUserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace mewt {

IniUserDefaults::IniUserDefaults(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    open(path);
    // QSettings parses lazily: read once so that a damaged file shows up in status() now.
    settings->allKeys();
    if (settings->status() == QSettings::FormatError) {
        // QSettings never writes over a file it could not parse, so every later change would be
        // lost. Keep the damaged file for the user and start from defaults.
        const QString aside = path + QStringLiteral(".broken");
        QFile::remove(aside);
        QFile::rename(path, aside);
        qWarning("mewt: settings file %s could not be read; moved to %s", qPrintable(path), qPrintable(aside));
        open(path);
    }
}

QString IniUserDefaults::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mewt/mewt.conf");
}

void IniUserDefaults::open(const QString& path)
{
    settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
}

void IniUserDefaults::remove(const QString& key)
{
    settings->remove(key);
    sync();
}

std::optional<QVariant> IniUserDefaults::rawValue(const QString& key) const
{
    if (!settings->contains(key))
        return std::nullopt;
    return settings->value(key);
}

void IniUserDefaults::writeValue(const QString& key, const QVariant& value)
{
    settings->setValue(key, value);
    sync();
}

void IniUserDefaults::sync()
{
    settings->sync();
    if (settings->status() != QSettings::NoError && !reportedWriteFailure) {
        reportedWriteFailure = true;
        qWarning("mewt: could not write settings to %s; changes are kept until quit", qPrintable(settings->fileName()));
    }
}

} // namespace mewt
