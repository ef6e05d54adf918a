#include "platform/XSettingsWatcher.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace mewt {

namespace {

// Adds `events` to what this client hears from `window`, keeping what Qt asked for there; false
// when the window is gone.
bool listen(xcb_connection_t* c, xcb_window_t window, uint32_t events)
{
    const auto attributes = x11Reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!attributes)
        return false;
    const uint32_t mask = attributes->your_event_mask | events;
    if (mask == attributes->your_event_mask)
        return true;
    return x11Reply(xcb_request_check(c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask)))
        == nullptr;
}

} // namespace

XSettingsWatcher::XSettingsWatcher(QObject* parent)
    : QObject(parent)
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return;
    // The manager of the first screen, the one our windows are on.
    selectionAtom = x11Atom(c, "_XSETTINGS_S0");
    settingsAtom = x11Atom(c, "_XSETTINGS_SETTINGS");
    managerAtom = x11Atom(c, "MANAGER");
    if (selectionAtom == XCB_ATOM_NONE || settingsAtom == XCB_ATOM_NONE || managerAtom == XCB_ATOM_NONE)
        return;
    // A new manager announces itself to the root's structure listeners.
    listen(c, x11RootWindow(c), XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    qGuiApp->installNativeEventFilter(this);
    findManager();
}

XSettingsWatcher::~XSettingsWatcher()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

void XSettingsWatcher::findManager()
{
    xcb_connection_t* c = qtX11Connection();
    const auto owner = x11Reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selectionAtom), nullptr));
    manager = owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
    // Its property changes tell of new settings, its destruction that it went.
    if (manager != XCB_WINDOW_NONE
        && !listen(c, manager, XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY))
        manager = XCB_WINDOW_NONE;
    readSettings();
}

void XSettingsWatcher::readSettings()
{
    current = {};
    if (manager != XCB_WINDOW_NONE) {
        xcb_connection_t* c = qtX11Connection();
        const auto property = x11Reply(xcb_get_property_reply(c,
            xcb_get_property(c, 0, manager, settingsAtom, XCB_GET_PROPERTY_TYPE_ANY, 0, XSettings::maximumSize / 4),
            nullptr));
        // Read once, whatever it holds: data of another type, format or size is no settings.
        if (property && property->type == settingsAtom && property->format == 8 && property->bytes_after == 0) {
            const QByteArrayView data(static_cast<const char*>(xcb_get_property_value(property.get())),
                xcb_get_property_value_length(property.get()));
            current = XSettings::parse(data).value_or(XSettings());
        }
    }
    Q_EMIT changed();
}

bool XSettingsWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
        const auto* notice = static_cast<const xcb_client_message_event_t*>(message);
        if (notice->type == managerAtom && notice->format == 32 && notice->data.data32[1] == selectionAtom)
            findManager();
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
        if (manager != XCB_WINDOW_NONE && notify->window == manager && notify->atom == settingsAtom)
            readSettings();
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* notify = static_cast<const xcb_destroy_notify_event_t*>(message);
        // A successor may own the selection already; its announcement may come before or after.
        if (manager != XCB_WINDOW_NONE && notify->window == manager)
            findManager();
        break;
    }
    default: break;
    }
    // Qt follows the same manager for its own settings.
    return false;
}

} // namespace mewt
