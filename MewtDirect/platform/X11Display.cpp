#include "platform/X11Display.h"

#include <QByteArray>
#include <QtGlobal>
#include <xcb/xcb.h>

namespace mewt {

void preferX11Platform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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
