#include "platform/SystemSettingsLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace mewt {

namespace {

using Command = SystemSettingsLauncher::Command;

// Per desktop, the newer tool first; Debian 12's Plasma 5 ships systemsettings5 and kcmshell5.
const QList<Command>& notificationCommands()
{
    static const QList<Command> commands {
        { "gnome", "gnome-control-center", { "notifications" } },
        { "budgie", "budgie-control-center", { "notifications" } },
        { "kde", "systemsettings", { "kcm_notifications" } },
        { "kde", "systemsettings5", { "kcm_notifications" } },
        { "kde", "kcmshell6", { "kcm_notifications" } },
        { "kde", "kcmshell5", { "kcm_notifications" } },
        { "xfce", "xfce4-notifyd-config", {} },
        { "x-cinnamon", "cinnamon-settings", { "notifications" } },
        { "mate", "mate-notification-properties", {} },
        { "lxqt", "lxqt-config-notificationd", {} },
    };
    return commands;
}

const QList<Command>& autostartCommands()
{
    static const QList<Command> commands {
        { "gnome", "gnome-session-properties", {} },
        { "gnome", "gnome-tweaks", {} },
        { "kde", "systemsettings", { "kcm_autostart" } },
        { "kde", "systemsettings5", { "kcm_autostart" } },
        { "kde", "kcmshell6", { "kcm_autostart" } },
        { "kde", "kcmshell5", { "kcm_autostart" } },
        { "xfce", "xfce4-session-settings", {} },
        { "x-cinnamon", "cinnamon-settings", { "startup" } },
        { "mate", "mate-session-properties", {} },
        { "lxqt", "lxqt-config-session", {} },
    };
    return commands;
}

} // namespace

SystemSettingsLauncher::SystemSettingsLauncher()
    : SystemSettingsLauncher(
        qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
        [](const QString& name) { return QStandardPaths::findExecutable(name); },
        [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
        })
{
}

SystemSettingsLauncher::SystemSettingsLauncher(
    const QString& currentDesktop, FindExecutable findExecutable, StartDetached startDetached)
    : desktops(currentDesktop.toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts))
    , findExecutable(std::move(findExecutable))
    , startDetached(std::move(startDetached))
{
    for (QString& desktop : desktops)
        desktop = desktop.trimmed();
}

bool SystemSettingsLauncher::openNotificationSettings() const
{
    return openFirst(notificationCommands());
}

bool SystemSettingsLauncher::openAutostartSettings() const
{
    return openFirst(autostartCommands());
}

bool SystemSettingsLauncher::openFirst(const QList<Command>& commands) const
{
    // Only the running desktop's own tools: another desktop's settings would not govern its
    // notification server or its session, and opening them would only look like success.
    for (const QString& desktop : desktops) {
        for (const Command& command : commands) {
            if (command.desktop != desktop)
                continue;
            const QString path = findExecutable(command.program);
            if (!path.isEmpty() && startDetached(path, command.arguments))
                return true;
        }
    }
    return false;
}

} // namespace mewt
