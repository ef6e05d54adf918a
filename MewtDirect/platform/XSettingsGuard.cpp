#include "platform/XSettingsGuard.h"

#include "platform/X11Display.h"
#include "platform/XSettings.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QMetaObject>
#include <xcb/xcb.h>

namespace mewt {

namespace {

// The window of each screen's settings manager, where one runs.
QList<uint32_t> settingsManagers(xcb_connection_t* c)
{
    QList<uint32_t> found;
    const int screens = xcb_setup_roots_length(xcb_get_setup(c));
    for (int screen = 0; screen < screens; ++screen) {
        const xcb_atom_t selection = x11Atom(c, ("_XSETTINGS_S" + QByteArray::number(screen)).constData());
        const auto owner = x11Reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
        if (owner && owner->owner != XCB_WINDOW_NONE)
            found.append(owner->owner);
    }
    return found;
}

// The property's type, format and size, without its bytes; nothing once the window is gone.
X11Reply<xcb_get_property_reply_t> describe(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    return x11Reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr));
}

} // namespace

XSettingsGuard::XSettingsGuard()
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return;
    settingsAtom = x11Atom(c, "_XSETTINGS_SETTINGS");
    managers = settingsManagers(c);
    if (settingsAtom != XCB_ATOM_NONE && !managers.isEmpty())
        qGuiApp->installNativeEventFilter(this);
}

XSettingsGuard::~XSettingsGuard()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

void XSettingsGuard::clearUnreadable(xcb_connection_t* c)
{
    if (!c)
        return;
    const xcb_atom_t settings = x11Atom(c, "_XSETTINGS_SETTINGS");
    for (const uint32_t manager : settingsManagers(c)) {
        const auto property = describe(c, manager, settings);
        if (property && property->type != XCB_ATOM_NONE && property->type != settings)
            xcb_delete_property(c, manager, settings);
    }
    xcb_flush(c);
}

bool XSettingsGuard::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    const xcb_property_notify_event_t* notify = x11PropertyNotify(eventType, message);
    if (!notify)
        return false;
    if (notify->atom != settingsAtom || !managers.contains(notify->window))
        return false;
    xcb_connection_t* c = qtX11Connection();
    xcb_grab_server(c);
    const auto property = describe(c, notify->window, settingsAtom);
    // Gone or deleted, Qt's read ends at once with nothing.
    const bool readable = !property || property->type == XCB_ATOM_NONE
        || (property->type == settingsAtom && property->format == 8 && property->bytes_after <= XSettings::maximumSize);
    if (readable) {
        // Qt's read lets go of the display as it ends; should it not read, this does.
        QMetaObject::invokeMethod(
            qGuiApp,
            [c] {
                xcb_ungrab_server(c);
                xcb_flush(c);
            },
            Qt::QueuedConnection);
        return false;
    }
    xcb_ungrab_server(c);
    xcb_flush(c);
    return true;
}

} // namespace mewt
