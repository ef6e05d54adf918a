#include "platform/SystemSettingsLauncher.h"

#include <QSet>
#include <gtest/gtest.h>
#include <optional>

using namespace mewt;

namespace {

struct Launch {
    QString program;
    QStringList arguments;

    friend bool operator==(const Launch&, const Launch&) = default;
};

struct LauncherCase {
    const char* name;
    const char* desktop;
    QStringList installed;
    QStringList failingToStart;
    std::optional<Launch> expected;
};

void PrintTo(const Launch& launch, std::ostream* os)
{
    *os << qPrintable(launch.program) << ' ' << qPrintable(launch.arguments.join(' '));
}

// Runs the launcher against a made-up PATH and records what it would have started.
std::optional<Launch> launched(const LauncherCase& row, bool autostart)
{
    std::optional<Launch> started;
    const QSet<QString> installed(row.installed.cbegin(), row.installed.cend());
    SystemSettingsLauncher launcher(
        QString::fromUtf8(row.desktop),
        [&](const QString& name) { return installed.contains(name) ? "/usr/bin/" + name : QString(); },
        [&](const QString& program, const QStringList& arguments) {
            if (row.failingToStart.contains(program.section('/', -1)))
                return false;
            EXPECT_FALSE(started.has_value()) << "started twice";
            started = Launch { program, arguments };
            return true;
        });
    const bool opened = autostart ? launcher.openAutostartSettings() : launcher.openNotificationSettings();
    EXPECT_EQ(opened, started.has_value());
    return started;
}

class NotificationSettingsLaunch : public ::testing::TestWithParam<LauncherCase> { };

TEST_P(NotificationSettingsLaunch, OpensTheRunningDesktopsToolOrReportsFailure)
{
    EXPECT_EQ(launched(GetParam(), false), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, NotificationSettingsLaunch,
    ::testing::Values(LauncherCase { "gnome", "GNOME", { "gnome-control-center" }, {},
                          Launch { "/usr/bin/gnome-control-center", { "notifications" } } },
        LauncherCase { "ubuntu", "ubuntu:GNOME", { "gnome-control-center" }, {},
            Launch { "/usr/bin/gnome-control-center", { "notifications" } } },
        LauncherCase { "budgieFirst", "Budgie:GNOME", { "gnome-control-center", "budgie-control-center" }, {},
            Launch { "/usr/bin/budgie-control-center", { "notifications" } } },
        LauncherCase { "plasma5", "KDE", { "systemsettings5", "kcmshell5" }, {},
            Launch { "/usr/bin/systemsettings5", { "kcm_notifications" } } },
        LauncherCase { "plasmaKcmshellOnly", "KDE", { "kcmshell5" }, {},
            Launch { "/usr/bin/kcmshell5", { "kcm_notifications" } } },
        LauncherCase { "startFailsTriesNext", "KDE", { "systemsettings", "kcmshell6" }, { "systemsettings" },
            Launch { "/usr/bin/kcmshell6", { "kcm_notifications" } } },
        LauncherCase { "xfce", "XFCE", { "xfce4-notifyd-config" }, {}, Launch { "/usr/bin/xfce4-notifyd-config", {} } },
        LauncherCase { "cinnamon", "X-Cinnamon", { "cinnamon-settings" }, {},
            Launch { "/usr/bin/cinnamon-settings", { "notifications" } } },
        LauncherCase { "anotherDesktopsTool", "KDE", { "gnome-control-center" }, {}, std::nullopt },
        LauncherCase { "unknownDesktop", "i3", { "gnome-control-center", "xfce4-notifyd-config" }, {}, std::nullopt },
        LauncherCase { "noDesktop", "", { "gnome-control-center" }, {}, std::nullopt },
        LauncherCase {
            "nothingStarts", "GNOME", { "gnome-control-center" }, { "gnome-control-center" }, std::nullopt }),
    [](const auto& info) { return std::string(info.param.name); });

class AutostartSettingsLaunch : public ::testing::TestWithParam<LauncherCase> { };

TEST_P(AutostartSettingsLaunch, OpensTheRunningDesktopsToolOrReportsFailure)
{
    EXPECT_EQ(launched(GetParam(), true), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, AutostartSettingsLaunch,
    ::testing::Values(
        LauncherCase { "gnomeTweaks", "GNOME", { "gnome-tweaks" }, {}, Launch { "/usr/bin/gnome-tweaks", {} } },
        LauncherCase {
            "plasma", "KDE", { "systemsettings" }, {}, Launch { "/usr/bin/systemsettings", { "kcm_autostart" } } },
        LauncherCase {
            "xfce", "XFCE", { "xfce4-session-settings" }, {}, Launch { "/usr/bin/xfce4-session-settings", {} } },
        LauncherCase { "gnomeWithoutTools", "GNOME", { "gnome-control-center" }, {}, std::nullopt }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
