#pragma once

#include "options/LoginItemSwitching.h"

#include <QString>
#include <optional>

namespace mewt {

// Open at login, as an XDG autostart entry ($XDG_CONFIG_HOME/autostart/mewt.desktop) that starts
// the running executable. Only an entry that mewt wrote is ever removed; one that someone else
// wrote is reported instead of being changed.
class LoginItemService final : public LoginItemSwitching {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginItemService)

public:
    explicit LoginItemService(QObject* parent = nullptr);
    // Tests hand in a temporary entry path and a made-up executable.
    LoginItemService(QString entryPath, QString executablePath, QObject* parent = nullptr);

    static QString defaultEntryPath();
    // The AppImage when running from one (its mount point changes every run), else this program.
    static QString runningExecutablePath();
    // One Exec argument, quoted and escaped as desktop entries require.
    static QString execArgument(const QString& argument);

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
    bool enabled = false;
    bool approvalNeeded = false;
    std::optional<QString> error;
};

} // namespace mewt
