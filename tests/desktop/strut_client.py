"""Another program's panel: a dock window at the top-left that reserves a strip of the screen.
    strut_client.py LOG fixed LEFT RIGHT TOP BOTTOM   holds that strut (each over its whole edge)
    strut_client.py LOG below HEIGHT                  a peer panel: below the others' deepest top strut
Logs "strut" per change it sees of another window's strut, "move Y" per move of its own."""
import sys

from Xlib import X, Xatom, display

log_path, mode, *args = sys.argv[1:]
args = [int(a) for a in args]
log = open(log_path, "a", buffering=1)
d = display.Display()
screen = d.screen()
root, width, high = screen.root, screen.width_in_pixels, screen.height_in_pixels - 1
CLIENTS, PARTIAL, STRUT, TYPE, DOCK = map(d.intern_atom, ("_NET_CLIENT_LIST", "_NET_WM_STRUT_PARTIAL", "_NET_WM_STRUT",
                                                          "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK"))
# As tall as the strip it reserves from the top, as panels are.
height = args[0] if mode == "below" else max(20, args[2])
window = root.create_window(0, 0, width if mode == "below" else 100, height, 0, screen.root_depth,
                            background_pixel=screen.black_pixel)
window.set_wm_name("strut client")
window.set_wm_normal_hints(flags=1 | 4, min_width=1, min_height=1)  # USPosition, PPosition
window.change_property(TYPE, Xatom.ATOM, 32, [DOCK])


def reserve(left, right, top, bottom):
    window.change_property(PARTIAL, Xatom.CARDINAL, 32, [left, right, top, bottom] + [0, high] * 2 + [0, width - 1] * 2)
    d.flush()


def top_struts():
    """The others' top struts, each followed from now on."""
    depths = {}
    for client in getattr(root.get_full_property(CLIENTS, Xatom.WINDOW), "value", []):
        try:
            other = d.create_resource_object("window", client)
            other.change_attributes(event_mask=X.PropertyChangeMask)
            strut = other.get_full_property(PARTIAL, Xatom.CARDINAL)
            depths[client] = strut.value[2] if strut and len(strut.value) >= 12 else 0
        except Exception:  # gone meanwhile
            pass
    depths.pop(window.id, None)
    return depths


if mode == "fixed":
    reserve(*args)
window.map()
root.change_attributes(event_mask=X.PropertyChangeMask)
y, seen = 0, top_struts()
while True:
    if mode == "below" and max(seen.values(), default=0) != y:
        y = max(seen.values())
        window.configure(y=y)
        reserve(0, 0, y + height, 0)
        print("move", y, file=log)
    event = d.next_event()
    if event.type == X.PropertyNotify and event.atom in (CLIENTS, PARTIAL, STRUT):
        now = top_struts()
        if any(now.get(w) != depth for w, depth in seen.items() if w in now):
            print("strut", file=log)
        seen = now
