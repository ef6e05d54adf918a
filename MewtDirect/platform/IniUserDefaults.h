#pragma once

#include "platform/UserDefaults.h"

#include <QSettings>

namespace mewt {

// The real store: an INI file written through at once, so a crash right after a change keeps it.
class IniUserDefaults final : public UserDefaults {
public:
    explicit IniUserDefaults(const QString& path = defaultPath());
    Q_DISABLE_COPY_MOVE(IniUserDefaults)

    // $XDG_CONFIG_HOME/mewt/mewt.conf, or ~/.config/mewt/mewt.conf.
    static QString defaultPath();

    QString path() const { return settings->fileName(); }
    void remove(const QString& key) override;

protected:
    std::optional<QVariant> rawValue(const QString& key) const override;
    void writeValue(const QString& key, const QVariant& value) override;

private:
    void open(const QString& path);
    void sync();

    std::unique_ptr<QSettings> settings;
    bool reportedWriteFailure = false;
};

} // namespace mewt
