"""Another program's editor: a window that takes the keyboard when mapped and logs each key it gets.
    typing_client.py LOG NAME X Y
Logs "key KEYSYM" per key press it receives."""
import sys

from Xlib import X, display

log_path, name, x, y = sys.argv[1:]
log = open(log_path, "a", buffering=1)
d = display.Display()
screen = d.screen()
window = screen.root.create_window(int(x), int(y), 240, 120, 0, screen.root_depth, background_pixel=screen.white_pixel,
                                   event_mask=X.KeyPressMask | X.StructureNotifyMask)
window.set_wm_name(name)
window.set_wm_hints(flags=1, input=1)  # InputHint: it takes the keyboard as an editor does
window.set_wm_normal_hints(flags=1 | 4, x=int(x), y=int(y))  # USPosition, PPosition
window.map()
while True:
    event = d.next_event()
    if event.type == X.KeyPress:
        print("key", d.keycode_to_keysym(event.detail, 0), file=log)
