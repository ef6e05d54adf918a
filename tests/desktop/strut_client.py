"""Another program's panel: a dock window at the top-left that reserves a strip of the screen.
    strut_client.py LOG fixed LEFT RIGHT TOP BOTTOM   holds that strut (each over its whole edge)
    strut_client.py LOG below HEIGHT                  a peer panel: goes below the deepest top strut
                                                      of the others on every change, as ours does
Appends to LOG one line per change it sees of another window's strut ("strut") and per move of its
own ("move Y")."""
import sys

from Xlib import X, Xatom, display

log_path, mode, *args = sys.argv[1:]
d = display.Display()
root = d.screen().root
width = d.screen().width_in_pixels
atom = d.intern_atom
CLIENTS, PARTIAL, STRUT = atom("_NET_CLIENT_LIST"), atom("_NET_WM_STRUT_PARTIAL"), atom("_NET_WM_STRUT")
# As tall as the strip it reserves from the top, as panels are.
height = int(args[0]) if mode == "below" else max(20, int(args[2]))
window = root.create_window(0, 0, width if mode == "below" else 100, height, 0, d.screen().root_depth,
                            background_pixel=d.screen().black_pixel)
window.set_wm_name("strut client")
window.set_wm_normal_hints(flags=1 | 4, min_width=1, min_height=1)  # USPosition, PPosition
window.change_property(atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32, [atom("_NET_WM_WINDOW_TYPE_DOCK")])


def log(line):
    with open(log_path, "a") as f:
        f.write(line + "\n")


def reserve(left, right, top, bottom):
    high, wide = d.screen().height_in_pixels - 1, width - 1
    window.change_property(PARTIAL, Xatom.CARDINAL, 32, [left, right, top, bottom, 0, high, 0, high, 0, wide, 0, wide])
    d.flush()


def top_struts():
    """The others' top struts, each followed from now on."""
    depths = {}
    value = root.get_full_property(CLIENTS, Xatom.WINDOW)
    for client in (value.value if value else []):
        if client == window.id:
            continue
        other = d.create_resource_object("window", client)
        try:
            other.change_attributes(event_mask=X.PropertyChangeMask)
            strut = other.get_full_property(PARTIAL, Xatom.CARDINAL)
        except Exception:  # gone meanwhile
            continue
        depths[client] = strut.value[2] if strut and len(strut.value) >= 12 else 0
    return depths


if mode == "fixed":
    reserve(*map(int, args))
window.map()
d.flush()
root.change_attributes(event_mask=X.PropertyChangeMask)
y = 0
seen = top_struts()
while True:
    if mode == "below":
        deepest = max(seen.values(), default=0)
        if deepest != y:
            y = deepest
            window.configure(y=y)
            reserve(0, 0, y + height, 0)
            log(f"move {y}")
    event = d.next_event()
    if event.type != X.PropertyNotify or event.atom not in (CLIENTS, PARTIAL, STRUT):
        continue
    now = top_struts()
    if any(now.get(w) != depth for w, depth in seen.items() if w in now):
        log("strut")
    seen = now
