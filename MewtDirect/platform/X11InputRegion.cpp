#include "platform/X11InputRegion.h"

#include "platform/X11Display.h"

#include <QRect>
#include <QRegion>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace mewt {

namespace {

bool canShape(xcb_connection_t* connection, const QWindow& window)
{
    if (!connection || !window.handle())
        return false;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection, &xcb_shape_id);
    return shape && shape->present;
}

// The server counts device pixels; a scaled window's edges round outwards.
xcb_rectangle_t devicePixels(const QRect& area, double ratio)
{
    const int left = static_cast<int>(std::floor(area.x() * ratio));
    const int top = static_cast<int>(std::floor(area.y() * ratio));
    const int right = static_cast<int>(std::ceil((area.x() + area.width()) * ratio));
    const int bottom = static_cast<int>(std::ceil((area.y() + area.height()) * ratio));
    return { static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<uint16_t>(std::max(0, right - left)),
        static_cast<uint16_t>(std::max(0, bottom - top)) };
}

void shapeInput(xcb_connection_t* connection, QWindow& window, const std::vector<xcb_rectangle_t>& rectangles)
{
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
        static_cast<xcb_window_t>(window.winId()), 0, 0, static_cast<uint32_t>(rectangles.size()), rectangles.data());
    xcb_flush(connection);
}

} // namespace

void setInputRegion(QWindow& window, const QRect& area)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!canShape(connection, window))
        return;
    if (area.isNull()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, static_cast<xcb_window_t>(window.winId()), 0,
            0, XCB_NONE);
        xcb_flush(connection);
        return;
    }
    shapeInput(connection, window, { devicePixels(area, window.devicePixelRatio()) });
}

void setInputRegion(QWindow& window, const QRegion& area)
{
    xcb_connection_t* connection = qtX11Connection();
    if (!canShape(connection, window))
        return;
    std::vector<xcb_rectangle_t> rectangles;
    rectangles.reserve(area.rectCount());
    for (const QRect& rect : area)
        rectangles.push_back(devicePixels(rect, window.devicePixelRatio()));
    shapeInput(connection, window, rectangles);
}

} // namespace mewt
