#pragma once

#include "platform/XSettings.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

namespace mewt {

// The desktop's XSETTINGS, read from its manager's window through Qt's own connection and followed
// as they change: the manager rewrites its property, goes (its window is destroyed) or is
// replaced (a new owner of the screen's selection announces itself on the root). Off X11, or with
// no manager, there are none.
class XSettingsWatcher final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XSettingsWatcher)

public:
    explicit XSettingsWatcher(QObject* parent = nullptr);
    ~XSettingsWatcher() override;

    // Empty without a manager, or when what it publishes cannot be read.
    const XSettings& settings() const { return current; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    void changed();

private:
    void findManager();
    void readSettings();

    XSettings current;
    uint32_t manager = 0;
    uint32_t selectionAtom = 0;
    uint32_t settingsAtom = 0;
    uint32_t managerAtom = 0;
};

} // namespace mewt
