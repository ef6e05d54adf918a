#include "platform/X11FrameExtents.h"

#include "platform/X11Display.h"
#include "platform/X11Dock.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <xcb/xcb.h>

namespace mewt {

namespace {

xcb_atom_t frameExtentsAtom(xcb_connection_t* c)
{
    static const xcb_atom_t atom = x11Atom(c, "_NET_FRAME_EXTENTS");
    return atom;
}

xcb_atom_t requestAtom(xcb_connection_t* c)
{
    static const xcb_atom_t atom = x11Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    return atom;
}

// Whether the running manager lists the advance request among what it supports.
bool managerAnswersRequests(xcb_connection_t* c)
{
    if (!X11Dock::windowManagerRuns())
        return false;
    const xcb_atom_t supported = x11Atom(c, "_NET_SUPPORTED");
    auto answer = x11Reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, x11RootWindow(c), supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!answer || answer->type != XCB_ATOM_ATOM || answer->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(answer.get()));
    const int count = xcb_get_property_value_length(answer.get()) / 4;
    return std::find(atoms, atoms + count, requestAtom(c)) != atoms + count;
}

} // namespace

X11FrameExtents::X11FrameExtents(QWidget& window)
    : QObject(&window)
    , window(&window)
{
    timeout.setSingleShot(true);
    timeout.setInterval(answerTimeout);
    connect(&timeout, &QTimer::timeout, this, &X11FrameExtents::answer);
    if (qtX11Connection())
        qGuiApp->installNativeEventFilter(this);
}

X11FrameExtents::~X11FrameExtents()
{
    if (qtX11Connection())
        qGuiApp->removeNativeEventFilter(this);
}

double X11FrameExtents::deviceRatio() const
{
    // The server counts device pixels.
    return window && window->windowHandle() ? window->windowHandle()->devicePixelRatio() : 1.0;
}

std::optional<QMargins> X11FrameExtents::margins() const
{
    xcb_connection_t* c = qtX11Connection();
    const WId id = window ? window->internalWinId() : 0;
    if (!c || id == 0)
        return std::nullopt;
    auto answer = x11Reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(id), frameExtentsAtom(c), XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!answer || answer->type != XCB_ATOM_CARDINAL || answer->format != 32
        || xcb_get_property_value_length(answer.get()) != 16)
        return std::nullopt;
    const auto* sides = static_cast<const uint32_t*>(xcb_get_property_value(answer.get()));
    if (std::any_of(sides, sides + 4, [](uint32_t side) { return side > uint32_t(largestSide); }))
        return std::nullopt;
    const double ratio = deviceRatio();
    const auto logical = [ratio](uint32_t side) { return int(std::lround(side / ratio)); };
    return QMargins(logical(sides[0]), logical(sides[2]), logical(sides[1]), logical(sides[3]));
}

QRect X11FrameExtents::frameGeometry() const
{
    return window ? window->geometry().marginsAdded(margins().value_or(QMargins())) : QRect();
}

bool X11FrameExtents::isSettled() const
{
    xcb_connection_t* c = qtX11Connection();
    const WId id = window ? window->internalWinId() : 0;
    if (!c || id == 0)
        return true;
    auto where = x11Reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, xcb_window_t(id), x11RootWindow(c), 0, 0), nullptr));
    if (!where)
        return true;
    const double ratio = deviceRatio();
    const QPoint server(int(std::lround(where->dst_x / ratio)), int(std::lround(where->dst_y / ratio)));
    return server == window->geometry().topLeft();
}

void X11FrameExtents::moveFrameTo(QPoint topLeft)
{
    if (!window)
        return;
    const QMargins frame = margins().value_or(QMargins());
    // By the content: Qt's own idea of the frame may lag behind the manager's.
    window->setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window->size()));
}

void X11FrameExtents::whenKnown(std::function<void()> then)
{
    waiting = std::move(then);
    timeout.stop();
    xcb_connection_t* c = qtX11Connection();
    if (!window || !c || margins() || !managerAnswersRequests(c)) {
        answer();
        return;
    }
    // The manager reads the window's type and decorations from it, so the native window exists first.
    const auto id = xcb_window_t(window->winId());
    xcb_client_message_event_t request {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = requestAtom(c);
    xcb_send_event(c, 0, x11RootWindow(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&request));
    xcb_flush(c);
    timeout.start();
}

void X11FrameExtents::answer()
{
    timeout.stop();
    if (auto then = std::exchange(waiting, nullptr))
        then();
}

bool X11FrameExtents::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    const xcb_property_notify_event_t* notify = x11PropertyNotify(eventType, message);
    if (!notify)
        return false;
    const WId id = window ? window->internalWinId() : 0;
    if (id == 0 || notify->window != xcb_window_t(id) || notify->atom != frameExtentsAtom(qtX11Connection()))
        return false;
    // After Qt has seen the event too, so its own idea of the frame is as new as ours.
    QMetaObject::invokeMethod(
        this,
        [this] {
            answer();
            Q_EMIT changed();
        },
        Qt::QueuedConnection);
    return false;
}

} // namespace mewt
