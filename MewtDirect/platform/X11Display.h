#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

class QByteArray;
struct xcb_connection_t;
struct xcb_property_notify_event_t;

namespace mewt {

// Chooses the X11 platform plugin unless the user picked one (Wayland sessions then run under
// XWayland, which gives us absolute placement and global pointer tracking).
void preferX11Platform();

// Qt's own connection to the X server, or null on any other platform.
xcb_connection_t* qtX11Connection();
// The root window of the connection's first screen.
uint32_t x11RootWindow(xcb_connection_t* connection);
// An xcb reply, which the caller owns and xcb wants given back with free().
template <typename Reply> using X11Reply = std::unique_ptr<Reply, decltype(&std::free)>;
// Takes ownership of a raw xcb reply (null stays null).
template <typename Reply> X11Reply<Reply> x11Reply(Reply* raw)
{
    return X11Reply<Reply>(raw, &std::free);
}
// The atom named `name`, interned on the server; none (0) when the server gives no answer.
uint32_t x11Atom(xcb_connection_t* connection, const char* name);
// The property change a native event filter was handed; null for any other event.
const xcb_property_notify_event_t* x11PropertyNotify(const QByteArray& eventType, void* message);
// Whether a pointer button is down now, as the X server knows it: also while a window manager
// moves a window and keeps the release to itself. False off X11.
bool x11PointerButtonHeld();

// Whether a display can be reached at all, since Qt aborts the process when it cannot. The
// connection made to find out stays open while the probe lives: keep it until Qt has connected,
// because an X server can take tens of milliseconds to accept a connection that comes right after
// another one closed (Xvfb here: 40-90 ms, more than the bare window's whole launch).
class DisplayProbe final {
public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool reachable() const { return isReachable; }
    // Null off X11 or when unreachable.
    xcb_connection_t* x11Connection() const { return isReachable ? connection : nullptr; }

private:
    xcb_connection_t* connection = nullptr;
    bool isReachable = true;
};

} // namespace mewt
