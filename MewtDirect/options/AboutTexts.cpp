#include "options/AboutTexts.h"

#include "platform/AppInfo.h"

namespace mewt {

namespace {

std::optional<QString> present(const QString& value)
{
    return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
}

} // namespace

AboutTexts AboutTexts::current()
{
    return {
        QString::fromUtf8(AppInfo::displayName),
        QString::fromUtf8(AppInfo::name),
        QString::fromUtf8(AppInfo::shortVersion),
        QString::fromUtf8(AppInfo::build),
        QString::fromUtf8(AppInfo::copyright),
    };
}

std::optional<QString> AboutTexts::nameLine() const
{
    return present(displayName) ? present(displayName) : present(name);
}

std::optional<QString> AboutTexts::versionLine() const
{
    if (shortVersion.isEmpty())
        return std::nullopt;
    QString line = QStringLiteral("version ") + shortVersion;
    if (!build.isEmpty())
        line += QStringLiteral(" (%1)").arg(build);
    return line;
}

std::optional<QString> AboutTexts::copyrightLine() const
{
    return present(copyright);
}

} // namespace mewt
