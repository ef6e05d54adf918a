#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <cstdint>

struct xcb_connection_t;

namespace mewt {

// Qt reads the XSETTINGS manager it found at start-up by itself, holding the whole display while
// it does (a server grab), and asks again for ever when the property holds another type: X then
// answers with no bytes and all of them still to come. Every other client waits meanwhile. This
// stands in front of that reader: a change to data that is not settings (another type or format,
// or more than any desktop publishes) never reaches it, so Qt keeps what it had; settings reach it
// unchanged, the display held from our look until Qt's read so both see the same data. Off X11 it
// does nothing.
class XSettingsGuard final : public QAbstractNativeEventFilter {
public:
    XSettingsGuard();
    ~XSettingsGuard() override;
    XSettingsGuard(const XSettingsGuard&) = delete;
    XSettingsGuard& operator=(const XSettingsGuard&) = delete;

    // On a connection of our own before Qt connects: Qt's reader would spin on its first read of
    // a property of another type, which no client can read as settings anyway, so it is taken away.
    static void clearUnreadable(xcb_connection_t* connection);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // The managers Qt found, one a screen.
    QList<uint32_t> managers;
    uint32_t settingsAtom = 0;
};

} // namespace mewt
