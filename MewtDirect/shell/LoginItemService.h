#pragma once

#include "options/LoginItemSwitching.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace mewt {

// Open at login, as an XDG autostart entry ($XDG_CONFIG_HOME/autostart/<application id>.desktop)
// that starts the running executable, and is skipped (TryExec) once that is gone. Only an entry that mewt wrote is ever
// removed; one that someone else wrote is reported instead of being changed.
class LoginItemService final : public LoginItemSwitching {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginItemService)

public:
    explicit LoginItemService(QObject* parent = nullptr);
    // Tests hand in a temporary entry path, a made-up executable and the folders of PATH.
    LoginItemService(QString entryPath, QString executablePath, QObject* parent = nullptr);
    LoginItemService(
        QString entryPath, QString executablePath, QStringList commandSearchPath, QObject* parent = nullptr);

    static QString defaultEntryPath();
    // Earlier versions wrote their entry as autostart/mewt.desktop. Our entry found there moves to
    // current (or goes, when current exists already) and is written anew if it was on, so open at
    // login survives the rename; anyone else's file there is left alone.
    static void adoptEarlierEntry(const QString& earlier, LoginItemService& current);
    // The AppImage when running from one (its mount point changes every run), else this program.
    static QString runningExecutablePath();
    // One Exec argument, quoted and escaped as desktop entries require.
    static QString execArgument(const QString& argument);
    // The bare file name, as the installed desktop entry says it, when searchPath finds this
    // very executable under it; the absolute path otherwise.
    static QString launchCommand(const QString& executable, const QStringList& searchPath);

    QString entryPath() const { return path; }

    bool isEnabled() const override { return enabled; }
    // Autostart entries need nobody's approval, so this stays false; it is here because the
    // general page asks for it.
    bool needsApproval() const override { return approvalNeeded; }
    const std::optional<QString>& errorMessage() const override { return error; }

    // Reads the entry; each field changes (and signals) only when its value does.
    void refresh();
    // Writes or removes the entry. A failure lands in errorMessage; it always ends with refresh.
    void setEnabled(bool enable) override;

private:
    std::optional<QString> addEntry();
    std::optional<QString> removeEntry();
    void setError(std::optional<QString> message);

    QString path;
    QString executable;
    QStringList searchPath;
    bool enabled = false;
    bool approvalNeeded = false;
    std::optional<QString> error;
};

} // namespace mewt
