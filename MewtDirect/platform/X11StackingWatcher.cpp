#include "platform/X11StackingWatcher.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <algorithm>
#include <vector>
#include <xcb/xcb.h>

namespace mewt {

namespace {

// The root's children, bottom first.
std::vector<xcb_window_t> rootChildren(xcb_connection_t* c, xcb_window_t root)
{
    const auto tree = x11Reply(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return { children, children + xcb_query_tree_children_length(tree.get()) };
}

// The root's child that holds `window`: itself, or the frame a window manager put it in.
xcb_window_t topLevelOf(xcb_connection_t* c, xcb_window_t root, xcb_window_t window)
{
    for (int depth = 0; depth < 16; ++depth) {
        const auto tree = x11Reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

} // namespace

X11StackingWatcher::X11StackingWatcher(QObject* parent)
    : QObject(parent)
{
    spacing.setSingleShot(true);
    spacing.setInterval(raiseSpacingMs);
    connect(&spacing, &QTimer::timeout, this, [this] {
        if (placePending) {
            placePending = false;
            placeKept();
        }
    });
}

X11StackingWatcher::~X11StackingWatcher()
{
    stop();
}

void X11StackingWatcher::keep(QWindow* window, std::function<QList<QWindow*>()> higher)
{
    if (!qtX11Connection() || !window)
        return;
    higherWindows = std::move(higher);
    kept = window;
    if (!watching) {
        watching = true;
        qGuiApp->installNativeEventFilter(this);
        selectRootChildren(true);
    }
    spacing.stop();
    placePending = false;
    placeKept();
}

void X11StackingWatcher::stop()
{
    if (!watching)
        return;
    watching = false;
    kept.clear();
    higherWindows = nullptr;
    spacing.stop();
    placePending = false;
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
    const auto attributes = x11Reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr));
    if (!attributes)
        return;
    uint32_t mask = attributes->your_event_mask;
    mask = on ? mask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : mask & ~uint32_t(XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

void X11StackingWatcher::placeKept()
{
    if (!kept || !kept->isVisible())
        return;
    if (spacing.isActive()) {
        placePending = true;
        return;
    }
    restack();
    spacing.start();
}

void X11StackingWatcher::restack()
{
    xcb_connection_t* c = qtX11Connection();
    const xcb_window_t root = x11RootWindow(c);
    const auto own = static_cast<xcb_window_t>(kept->winId());
    const std::vector<xcb_window_t> stack = rootChildren(c, root);
    auto lowest = stack.end();
    for (QWindow* window : higherWindows ? higherWindows() : QList<QWindow*>()) {
        if (!window || !window->isVisible() || window == kept)
            continue;
        const auto top = std::find(stack.begin(), stack.end(), topLevelOf(c, root, window->winId()));
        lowest = std::min(lowest, top);
    }
    if (lowest == stack.end()) {
        kept->raise();
        return;
    }
    if (lowest != stack.begin() && *(lowest - 1) == own)
        return;
    const uint32_t values[] = { *lowest, XCB_STACK_MODE_BELOW };
    xcb_configure_window(c, own, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    xcb_flush(c);
}

bool X11StackingWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!watching || eventType != "xcb_generic_event_t")
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
    if (kept) {
        const auto own = static_cast<xcb_window_t>(kept->winId());
        if (type == XCB_MAP_NOTIFY && about != own)
            placeKept();
        if (type == XCB_CONFIGURE_NOTIFY && about != own
            && static_cast<const xcb_configure_notify_event_t*>(message)->above_sibling == own)
            placeKept();
    }
    // Qt never asked for the root's children and reads a root configure event as a screen change.
    return true;
}

} // namespace mewt
