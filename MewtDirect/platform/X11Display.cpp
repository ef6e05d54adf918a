#include "platform/X11Display.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>
#include <cstring>
#include <xcb/xcb.h>

namespace mewt {

void preferX11Platform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

xcb_connection_t* qtX11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

uint32_t x11RootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

uint32_t x11Atom(xcb_connection_t* connection, const char* name)
{
    const auto answer = x11Reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return answer ? answer->atom : uint32_t(XCB_ATOM_NONE);
}

const xcb_property_notify_event_t* x11PropertyNotify(const QByteArray& eventType, void* message)
{
    if (eventType != "xcb_generic_event_t")
        return nullptr;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    return (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY
        ? static_cast<const xcb_property_notify_event_t*>(message)
        : nullptr;
}

bool x11PointerButtonHeld()
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return false;
    const auto answer = x11Reply(xcb_query_pointer_reply(c, xcb_query_pointer(c, x11RootWindow(c)), nullptr));
    constexpr uint16_t buttons = XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2 | XCB_KEY_BUT_MASK_BUTTON_3;
    return answer && (answer->mask & buttons) != 0;
}

DisplayProbe::DisplayProbe()
{
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("xcb"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        isReachable = false;
        return;
    }
    connection = xcb_connect(nullptr, nullptr);
    isReachable = xcb_connection_has_error(connection) == 0;
}

DisplayProbe::~DisplayProbe()
{
    // xcb wants even a failed connection given back.
    if (connection)
        xcb_disconnect(connection);
}

} // namespace mewt
