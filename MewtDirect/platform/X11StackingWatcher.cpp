#include "platform/X11StackingWatcher.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace mewt {

X11StackingWatcher::X11StackingWatcher(QObject* parent)
    : QObject(parent)
{
    spacing.setSingleShot(true);
    spacing.setInterval(raiseSpacingMs);
    connect(&spacing, &QTimer::timeout, this, [this] {
        if (raisePending) {
            raisePending = false;
            raiseKept();
        }
    });
}

X11StackingWatcher::~X11StackingWatcher()
{
    stop();
}

void X11StackingWatcher::keepAbove(QWindow* window)
{
    if (!qtX11Connection() || !window)
        return;
    if (kept == window)
        return;
    const bool wasKeeping = isKeeping();
    kept = window;
    if (!wasKeeping) {
        qGuiApp->installNativeEventFilter(this);
        selectRootChildren(true);
    }
}

void X11StackingWatcher::stop()
{
    if (!isKeeping())
        return;
    kept.clear();
    spacing.stop();
    raisePending = false;
    if (qGuiApp) {
        qGuiApp->removeNativeEventFilter(this);
        selectRootChildren(false);
    }
}

void X11StackingWatcher::selectRootChildren(bool on)
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return;
    // The root's event mask is per client: Qt's own selection stays, ours comes and goes with it.
    const xcb_window_t root = x11RootWindow(c);
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr), &std::free);
    if (!attributes)
        return;
    uint32_t mask = attributes->your_event_mask;
    mask = on ? mask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : mask & ~uint32_t(XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

void X11StackingWatcher::raiseKept()
{
    if (!kept || !kept->isVisible())
        return;
    if (spacing.isActive()) {
        raisePending = true;
        return;
    }
    kept->raise();
    spacing.start();
}

bool X11StackingWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!kept || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7f;
    switch (type) {
    case XCB_CIRCULATE_NOTIFY:
    case XCB_CONFIGURE_NOTIFY:
    case XCB_CREATE_NOTIFY:
    case XCB_DESTROY_NOTIFY:
    case XCB_GRAVITY_NOTIFY:
    case XCB_MAP_NOTIFY:
    case XCB_REPARENT_NOTIFY:
    case XCB_UNMAP_NOTIFY: break;
    default: return false;
    }
    // Every one of these names the window that heard of it, then the window it is about.
    const auto* words = static_cast<const uint32_t*>(message);
    const xcb_window_t heard = words[1];
    const xcb_window_t about = words[2];
    const xcb_window_t root = x11RootWindow(qtX11Connection());
    if (heard != root || about == root)
        return false;
    const auto own = static_cast<xcb_window_t>(kept->winId());
    if (type == XCB_MAP_NOTIFY && about != own)
        raiseKept();
    if (type == XCB_CONFIGURE_NOTIFY && about != own
        && static_cast<const xcb_configure_notify_event_t*>(message)->above_sibling == own)
        raiseKept();
    // Qt never asked for the root's children and reads a root configure event as a screen change.
    return true;
}

} // namespace mewt
