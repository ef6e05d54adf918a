#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace mewt {

// Opens the desktop's own settings pages that concern us. Each open reports false when this
// desktop has no settings tool we know, or none could be started, so the caller can tell the user
// where to look instead of pretending it worked.
class SystemSettingsLauncher final {
public:
    // Gives the full path of a program on PATH, or an empty string.
    using FindExecutable = std::function<QString(const QString& name)>;
    using StartDetached = std::function<bool(const QString& program, const QStringList& arguments)>;

    // Reads the desktop from XDG_CURRENT_DESKTOP and looks on PATH.
    SystemSettingsLauncher();
    // `currentDesktop` is in the XDG_CURRENT_DESKTOP form: names separated by colons.
    SystemSettingsLauncher(const QString& currentDesktop, FindExecutable findExecutable, StartDetached startDetached);

    bool openNotificationSettings() const;
    bool openAutostartSettings() const;

    struct Command {
        QString desktop; // lower case, as in XDG_CURRENT_DESKTOP
        QString program;
        QStringList arguments;
    };

private:
    bool openFirst(const QList<Command>& commands) const;

    QStringList desktops;
    FindExecutable findExecutable;
    StartDetached startDetached;
};

} // namespace mewt
