#include "platform/CompositingMonitor.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace mewt {

CompositingMonitor& CompositingMonitor::shared()
{
    static CompositingMonitor* const monitor = new CompositingMonitor;
    return *monitor;
}

CompositingMonitor::CompositingMonitor()
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return;
    // The manager of the first screen, the one our windows are on.
    selection = x11Atom(c, "_NET_WM_CM_S0");
    const auto owner = x11Reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    active = owner && owner->owner != XCB_WINDOW_NONE;
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (selection == XCB_ATOM_NONE || !xfixes || !xfixes->present)
        return;
    // Qt asked for the version on this connection already; asking again costs one round trip.
    std::free(xcb_xfixes_query_version_reply(
        c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
    selectionNotify = xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    xcb_xfixes_select_selection_input(c, x11RootWindow(c), selection,
        XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
            | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(c);
    qGuiApp->installNativeEventFilter(this);
}

bool CompositingMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != selectionNotify)
        return false;
    const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
    if (notify->selection != selection)
        return false;
    const bool now = notify->owner != XCB_WINDOW_NONE;
    if (now != active) {
        active = now;
        Q_EMIT activeChanged(active);
    }
    // Qt follows the same selection for itself.
    return false;
}

} // namespace mewt
