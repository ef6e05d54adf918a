#include "platform/X11KeyboardReturn.h"

#include "platform/X11Display.h"

#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace mewt {

namespace {

// The request's source in _NET_ACTIVE_WINDOW: an application acting on its user's input.
constexpr uint32_t sourceApplication = 1;

// The 32-bit values of `property` on `window`; empty when it is missing or of another format.
std::vector<uint32_t> values(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, uint32_t longest = 1)
{
    const auto reply = x11Reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ANY, 0, longest), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return { data, data + xcb_get_property_value_length(reply.get()) / 4 };
}

bool hasProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    const auto reply
        = x11Reply(xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ANY, 0, 0), nullptr));
    return reply && reply->type != XCB_ATOM_NONE;
}

xcb_window_t inputFocus(xcb_connection_t* c)
{
    const auto reply = x11Reply(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return reply ? reply->focus : xcb_window_t(XCB_WINDOW_NONE);
}

bool viewable(xcb_connection_t* c, xcb_window_t window)
{
    const auto reply = x11Reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// `window` and its ancestors below the root, innermost first; empty when it is gone.
std::vector<xcb_window_t> lineage(xcb_connection_t* c, xcb_window_t root, xcb_window_t window)
{
    std::vector<xcb_window_t> line;
    for (int depth = 0; depth < 16 && window != root && window != XCB_WINDOW_NONE; ++depth) {
        const auto tree = x11Reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree)
            return {};
        line.push_back(window);
        window = tree->parent;
    }
    return line;
}

bool isOurs(const std::vector<xcb_window_t>& line)
{
    QSet<xcb_window_t> ours;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->handle())
            ours.insert(static_cast<xcb_window_t>(window->winId()));
    }
    for (const xcb_window_t window : line) {
        if (ours.contains(window))
            return true;
    }
    return false;
}

// The manager that runs, if any: the window its check property names, naming itself.
xcb_window_t manager(xcb_connection_t* c, xcb_window_t root)
{
    const xcb_atom_t check = x11Atom(c, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<uint32_t> named = values(c, root, check);
    if (named.empty() || values(c, named[0], check) != named)
        return XCB_WINDOW_NONE;
    return named[0];
}

bool managerActivates(xcb_connection_t* c, xcb_window_t root)
{
    const std::vector<uint32_t> supported = values(c, root, x11Atom(c, "_NET_SUPPORTED"), 1024);
    return std::find(supported.begin(), supported.end(), x11Atom(c, "_NET_ACTIVE_WINDOW")) != supported.end();
}

// The program window that holds `line`'s innermost window: under a manager the managed one (the
// manager's own windows hold none), without one the top-level.
xcb_window_t programWindow(xcb_connection_t* c, const std::vector<xcb_window_t>& line, bool managed)
{
    if (line.empty())
        return XCB_WINDOW_NONE;
    if (!managed)
        return line.back();
    const xcb_atom_t state = x11Atom(c, "WM_STATE");
    for (const xcb_window_t window : line) {
        if (hasProperty(c, window, state))
            return window;
    }
    // A frame holds its program's window below itself.
    const auto tree = x11Reply(xcb_query_tree_reply(c, xcb_query_tree(c, line.back()), nullptr));
    if (!tree)
        return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (hasProperty(c, children[i], state))
            return children[i];
    }
    return XCB_WINDOW_NONE;
}

// Whose keyboard it was before one of our windows took it: that program's window (the one a
// manager activates) and the window in it that had the keys. Forgotten once the window is destroyed,
// so a new window given the same id later is never mistaken for it.
class Lender final : public QObject, public QAbstractNativeEventFilter {
public:
    static Lender* instance()
    {
        static QPointer<Lender> lender;
        if (!lender && qtX11Connection())
            lender = new Lender(qGuiApp);
        return lender;
    }

    explicit Lender(QObject* parent)
        : QObject(parent)
    {
        qGuiApp->installNativeEventFilter(this);
    }
    ~Lender() override { qGuiApp->removeNativeEventFilter(this); }

    void noteTaking()
    {
        xcb_connection_t* c = qtX11Connection();
        const xcb_window_t root = x11RootWindow(c);
        const xcb_window_t focus = inputFocus(c);
        if (focus == XCB_WINDOW_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus == root)
            return;
        const std::vector<xcb_window_t> line = lineage(c, root, focus);
        // From one of our windows to another: the program it came from stays the same.
        if (isOurs(line))
            return;
        const xcb_window_t program = programWindow(c, line, manager(c, root) != XCB_WINDOW_NONE);
        if (program == XCB_WINDOW_NONE)
            return;
        forget();
        window = program;
        keys = focus;
        follow(window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    }

    // After `window` hid: once the X server has handled the hide, the keys go back, unless
    // someone took them meanwhile or the window showed again (a change of form hides it a moment).
    void giveBackAfter(QWidget& hidden)
    {
        if (window == XCB_WINDOW_NONE)
            return;
        xcb_connection_t* c = qtX11Connection();
        if (clock == XCB_WINDOW_NONE) {
            clock = xcb_generate_id(c);
            const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_create_window(c, XCB_COPY_FROM_PARENT, clock, x11RootWindow(c), -1, -1, 1, 1, 0,
                XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
        }
        // An empty append: the server stamps the change, which gives the request its time.
        xcb_change_property(c, XCB_PROP_MODE_APPEND, clock, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(c);
        lastHidden = &hidden;
        returnDue = true;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t" || window == XCB_WINDOW_NONE)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_DESTROY_NOTIFY && reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == window)
            window = keys = XCB_WINDOW_NONE;
        if (type != XCB_PROPERTY_NOTIFY || reinterpret_cast<const xcb_property_notify_event_t*>(event)->window != clock)
            return false;
        if (std::exchange(returnDue, false) && !(lastHidden && lastHidden->isVisible()))
            giveBack(reinterpret_cast<const xcb_property_notify_event_t*>(event)->time);
        return true;
    }

private:
    void giveBack(xcb_timestamp_t time)
    {
        xcb_connection_t* c = qtX11Connection();
        if (!c || window == XCB_WINDOW_NONE)
            return;
        const xcb_window_t root = x11RootWindow(c);
        const xcb_window_t focus = inputFocus(c);
        const bool managed = manager(c, root) != XCB_WINDOW_NONE;
        if (focus != XCB_WINDOW_NONE && focus != XCB_INPUT_FOCUS_POINTER_ROOT && focus != root) {
            const std::vector<xcb_window_t> line = lineage(c, root, focus);
            // Another of ours has it and may give it back in turn.
            if (isOurs(line))
                return;
            // Back already (openbox's own rule), or taken by another program.
            if (programWindow(c, line, managed) != XCB_WINDOW_NONE) {
                forget();
                return;
            }
        }
        if (viewable(c, window)) {
            if (managed && managerActivates(c, root))
                activate(c, root, time);
            else if (viewable(c, keys))
                xcb_discard_reply(
                    c, xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_PARENT, keys, XCB_CURRENT_TIME).sequence);
            xcb_flush(c);
        }
        forget();
    }

    void activate(xcb_connection_t* c, xcb_window_t root, uint32_t time)
    {
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = x11Atom(c, "_NET_ACTIVE_WINDOW");
        message.data.data32[0] = sourceApplication;
        message.data.data32[1] = time;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&message));
    }

    // Our selection on another program's window; gone quietly with the window.
    static void follow(xcb_window_t window, uint32_t mask)
    {
        xcb_connection_t* c = qtX11Connection();
        const xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask);
        xcb_discard_reply(c, cookie.sequence);
    }

    void forget()
    {
        if (window != XCB_WINDOW_NONE)
            follow(window, XCB_EVENT_MASK_NO_EVENT);
        window = keys = XCB_WINDOW_NONE;
    }

    xcb_window_t window = XCB_WINDOW_NONE;
    xcb_window_t keys = XCB_WINDOW_NONE;
    // Ours, unmapped: where the server's time is read.
    xcb_window_t clock = XCB_WINDOW_NONE;
    QPointer<QWidget> lastHidden;
    bool returnDue = false;
};

} // namespace

X11KeyboardReturn::X11KeyboardReturn(QWidget& window)
    : QObject(&window)
    , window(window)
{
    if (Lender::instance())
        window.installEventFilter(this);
}

void X11KeyboardReturn::noteTaking()
{
    if (Lender* lender = Lender::instance())
        lender->noteTaking();
}

bool X11KeyboardReturn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window)
        return false;
    if (event->type() == QEvent::Show && !window.testAttribute(Qt::WA_ShowWithoutActivating)) {
        noteTaking();
    } else if (event->type() == QEvent::Hide && window.internalWinId()) {
        if (Lender* lender = Lender::instance())
            lender->giveBackAfter(window);
    }
    return false;
}

} // namespace mewt
