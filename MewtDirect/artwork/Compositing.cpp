#include "artwork/Compositing.h"

#include "platform/X11Display.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <cstdlib>
#include <xcb/xcb.h>

namespace mewt {

bool windowsAreComposited()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    xcb_connection_t* connection = qtX11Connection();
    if (!connection)
        return true;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>; we use the default screen.
    static constexpr char name[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof(name) - 1, name), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner
        = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool composited = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return composited;
}

QRegion unblendedWindowShape(const QList<QPainterPath>& shapes, const QRect& area)
{
    QRect bounds;
    for (const QPainterPath& shape : shapes)
        bounds |= shape.boundingRect().toAlignedRect();
    bounds &= area;
    if (bounds.isEmpty())
        return {};
    // Filled without antialiasing, a pixel is set when its centre lies inside.
    QBitmap cut(bounds.size());
    cut.fill(Qt::color0);
    QPainter painter(&cut);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.translate(-QPointF(bounds.topLeft()));
    for (const QPainterPath& shape : shapes)
        painter.drawPath(shape);
    painter.end();
    return QRegion(cut).translated(bounds.topLeft());
}

} // namespace mewt
