#include "platform/X11InputRegion.h"

#include "platform/X11Display.h"

#include <QRect>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace mewt {

void setInputRegion(QWindow& window, const QRect& area)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!connection || !window.handle())
        return;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!shape || !shape->present)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    if (area.isNull()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0, XCB_NONE);
    } else {
        // The server counts device pixels; a scaled window's edges round outwards.
        const double ratio = window.devicePixelRatio();
        const int left = static_cast<int>(std::floor(area.x() * ratio));
        const int top = static_cast<int>(std::floor(area.y() * ratio));
        const int right = static_cast<int>(std::ceil((area.x() + area.width()) * ratio));
        const int bottom = static_cast<int>(std::ceil((area.y() + area.height()) * ratio));
        const xcb_rectangle_t rectangle { static_cast<int16_t>(left), static_cast<int16_t>(top),
            static_cast<uint16_t>(std::max(0, right - left)), static_cast<uint16_t>(std::max(0, bottom - top)) };
        xcb_shape_rectangles(
            connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0, 1, &rectangle);
    }
    xcb_flush(connection);
}

} // namespace mewt
