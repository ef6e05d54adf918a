#include "platform/X11Desktops.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <QWindow>
#include <xcb/xcb.h>

namespace mewt {

namespace {
// _NET_WM_DESKTOP's value for "all desktops", and the source of a request from an application.
constexpr uint32_t allDesktops = 0xFFFFFFFF;
constexpr uint32_t sourceApplication = 1;
} // namespace

void showOnAllDesktops(QWindow& window)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!connection)
        return;
    const xcb_atom_t desktop = x11Atom(connection, "_NET_WM_DESKTOP");
    if (desktop == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    // The property counts before the window is mapped (and where no window manager runs); once it
    // is mapped, the manager takes the request as a message to the root window.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = desktop;
    message.data.data32[0] = allDesktops;
    message.data.data32[1] = sourceApplication;
    const xcb_window_t root = x11RootWindow(connection);
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace mewt
