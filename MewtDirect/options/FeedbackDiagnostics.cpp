#include "options/FeedbackDiagnostics.h"

#include "options/GraphemeText.h"
#include "platform/AppInfo.h"

#include <QLocale>
#include <QSysInfo>

namespace mewt {

namespace {

QString orUnknown(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("unknown") : value;
}

} // namespace

FeedbackDiagnostics FeedbackDiagnostics::make(const QString& shortVersion, const QString& build,
    const QString& systemDescription, const QString& localeIdentifier)
{
    QString system = systemDescription;
    system.remove(QStringLiteral("Version "), Qt::CaseSensitive);
    return {
        orUnknown(shortVersion),
        orUnknown(build),
        truncatedToGraphemes(system, osVersionLimit),
        QStringLiteral("direct"),
        localeIdentifier,
    };
}

FeedbackDiagnostics FeedbackDiagnostics::current()
{
    return make(QString::fromUtf8(AppInfo::shortVersion), QString::fromUtf8(AppInfo::build),
        systemDescription(QSysInfo::prettyProductName(), QSysInfo::kernelVersion()), QLocale::system().name());
}

QString FeedbackDiagnostics::systemDescription(const QString& prettyName, const QString& kernelRelease)
{
    // Without an os-release file Qt already names the kernel ("Linux 6.1.0"); say it once.
    if (kernelRelease.isEmpty() || prettyName.contains(kernelRelease))
        return prettyName;
    if (prettyName.isEmpty())
        return kernelRelease;
    return prettyName + u' ' + kernelRelease;
}

} // namespace mewt
