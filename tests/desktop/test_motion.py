"""Reduced motion on screen, told by the desktop portal as a desktop tells it: the yarn ball of a
running timer stands still while the setting is on, and follows the setting as it changes."""
import subprocess
import threading
import time
import unittest

import pyatspi
from gi.repository import Gio, GLib

from desktop import TOUR_DONE, Mewt, running_timer, wait_for, xdo

SETTINGS, PATH, KEY = "org.freedesktop.portal.Settings", "/org/freedesktop/portal/desktop", "reduced-motion"
INTERFACE = Gio.DBusNodeInfo.new_for_xml(f"""<node><interface name="{SETTINGS}"><method name="Read">
  <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal></interface></node>
""").interfaces[0]


class Portal:
    """The portal's settings on the session bus, knowing only the appearance's reduced-motion."""

    def __init__(self, reduced):
        self.reduced, self.context, ready = reduced, GLib.MainContext(), threading.Event()
        threading.Thread(target=self.serve, args=(ready,), daemon=True).start()
        assert ready.wait(5), "the portal did not start"

    def serve(self, ready):
        self.context.push_thread_default()
        self.bus = Gio.DBusConnection.new_for_address_sync(
            Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION),
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
        self.bus.register_object(PATH, INTERFACE, self.read)
        self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                           GLib.Variant("(su)", ("org.freedesktop.portal.Desktop", 4)), None, 0, -1)
        ready.set()
        GLib.MainLoop(self.context).run()

    def read(self, bus, sender, path, interface, method, arguments, invocation):
        if arguments.unpack() == ("org.freedesktop.appearance", KEY):  # as the portal answers: a variant too many
            invocation.return_value(GLib.Variant("(v)", (GLib.Variant("v", self.value()),)))
        else:
            invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "no such key")

    def value(self):
        return GLib.Variant("u", 1 if self.reduced else 0)

    def set(self, reduced):
        self.reduced = reduced
        self.bus.emit_signal(None, PATH, SETTINGS, "SettingChanged",
                             GLib.Variant("(ssv)", ("org.freedesktop.appearance", KEY, self.value())))


class ReducedMotion(unittest.TestCase):
    def test_the_yarn_ball_stands_still_while_motion_is_reduced_and_follows_the_setting_live(self):
        portal = Portal(reduced=True)
        with Mewt("\n".join([TOUR_DONE, running_timer(300)]), env={"MEWT_REDUCED_MOTION": ""}) as app:
            ball = app.open_controls("yarn timer progress").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            # The pointer rests on the card's right end, away from the ball and its tool tip.
            card = max((app.geometry(w) for w in app.windows() if w != app.paw), key=lambda g: g[2] * g[3])
            xdo("mousemove", card[0] + card[2] - 20, card[1] + card[3] // 2)

            def turns():
                """Whether the ball, as the screen shows it, changes over two seconds."""
                crop = lambda: subprocess.run(["import", "-window", "root", "-crop", f"14x14+{ball.x}+{ball.y}",
                                               "rgb:-"], check=True, capture_output=True).stdout
                first = crop()
                time.sleep(2)
                return crop() != first

            self.assertFalse(turns(), "the ball turned with reduced motion")
            portal.set(False)
            wait_for(turns, timeout=10, what="the ball to turn once motion is allowed")
            portal.set(True)
            time.sleep(0.5)
            self.assertFalse(turns(), "the ball went on turning after reduced motion was switched on")


if __name__ == "__main__":
    unittest.main()
