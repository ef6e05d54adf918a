"""The paw among other windows: a panel under a window manager (its type, desktops, the strip it
reserves, a maximised and a fullscreen window beside it), an override-redirect window without one,
and nothing of ours left showing beside the popover a click opens."""
import subprocess
import unittest

from desktop import TOUR_DONE, WM, Mewt, run, screen_size, settle, wait_for, xdo, xprop

MARGIN = 6


def cardinals(window, prop):
    out = xprop(window, prop)
    return [int(v) for v in out.split("=", 1)[1].split(",")] if "=" in out else []


def stacking():
    """The managed windows, bottom-most first."""
    out = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").split("#", 1)[1]
    return [int(v, 16) for v in out.split(",")]


class Stranger:
    """Another client's window (xmessage), found by its own name."""

    def __init__(self, name):
        self.process = subprocess.Popen(["xmessage", "-name", name, name],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.id = int(wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name", name,
                                           check=False).split(), what=name)[0])
        settle(0.3)

    def frame(self):
        """Its outer rectangle, title bar included."""
        out = run("xdotool", "getwindowgeometry", "--shell", str(self.id))
        f = dict(line.split("=", 1) for line in out.split())
        left, right, top, bottom = (cardinals(self.id, "_NET_FRAME_EXTENTS") or [0, 0, 0, 0])
        return (int(f["X"]) - left, int(f["Y"]) - top,
                int(f["WIDTH"]) + left + right, int(f["HEIGHT"]) + top + bottom)

    def state(self, change):
        run("wmctrl", "-i", "-r", str(self.id), "-b", change)
        settle(0.6)

    def close(self):
        self.process.kill()
        self.process.wait()


class Panel(unittest.TestCase):
    def setUp(self):
        self.app = Mewt(TOUR_DONE)
        self.addCleanup(self.app.quit)
        settle(0.5)

    def test_a_click_on_the_paw_leaves_only_the_paw_and_the_popover(self):
        self.app.click_paw()
        shown = wait_for(lambda: len(self.app.windows()) == 2 and self.app.windows(), what="two windows")
        self.assertIn(self.app.paw, shown)
        popover = next(w for w in shown if w != self.app.paw)
        self.assertGreater(self.app.geometry(popover)[2], 200)
        settle(0.5)
        self.assertEqual(len(self.app.windows()), 2)

    @unittest.skipIf(WM != "none", "a window manager runs")
    def test_without_a_manager_the_paw_bypasses_it(self):
        self.assertIn("Override Redirect State: yes", run("xwininfo", "-id", str(self.app.paw)))
        self.assertEqual(cardinals(self.app.paw, "_NET_WM_STRUT_PARTIAL"), [])

    @unittest.skipIf(WM == "none", "no window manager runs")
    def test_under_a_manager_the_paw_is_a_panel(self):
        paw = self.app.paw
        width, height = screen_size()
        x, y, w, h = self.app.geometry(paw)
        self.assertIn("_NET_WM_WINDOW_TYPE_DOCK", xprop(paw, "_NET_WM_WINDOW_TYPE"))
        self.assertEqual(cardinals(paw, "_NET_WM_DESKTOP"), [0xFFFFFFFF])
        for state in ("_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"):
            self.assertIn(state, xprop(paw, "_NET_WM_STATE"))
        self.assertNotIn("Override Redirect State: yes", run("xwininfo", "-id", str(paw)))
        self.assertEqual((x + w, y), (width - MARGIN, MARGIN))
        strut = cardinals(paw, "_NET_WM_STRUT_PARTIAL")
        self.assertEqual(strut[2], y + h + MARGIN)
        self.assertLessEqual(strut[8], x)
        self.assertGreaterEqual(strut[9], x + w - 1)

        # A maximised window, its title-bar buttons too, stays below the strip; a click on the
        # paw reaches the paw and never focuses it.
        other = Stranger("maximised")
        self.addCleanup(other.close)
        other.state("add,maximized_vert,maximized_horz")
        self.assertGreaterEqual(other.frame()[1], y + h + MARGIN)
        self.assertEqual(other.frame()[0] + other.frame()[2], width)
        self.app.click_paw()
        self.assertEqual(len(self.app.windows()), 2)
        self.assertIsNone(other.process.poll())
        self.assertNotIn(hex(paw), run("xprop", "-root", "_NET_ACTIVE_WINDOW"))
        xdo("key", "Escape")
        settle(0.5)

        # It stands above the active window; a fullscreen one covers it, as it covers every panel.
        xdo("windowactivate", other.id)
        settle(0.3)
        self.assertGreater(stacking().index(paw), stacking().index(other.id))
        other.state("add,fullscreen")
        self.assertLess(stacking().index(paw), stacking().index(other.id))
        other.state("remove,fullscreen")

        # Another panel that comes later moves the paw under its strip, one not as deep as the
        # paw's own; the paw's own strip never moves it.
        bar = Stranger("topbar")
        self.addCleanup(bar.close)
        xdo("windowunmap", "--sync", bar.id)
        run("xprop", "-id", str(bar.id), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
            "_NET_WM_STRUT_PARTIAL", f"0,0,30,0,0,0,0,0,0,{width - 1},0,0")
        xdo("windowmap", bar.id)
        wait_for(lambda: self.app.geometry(paw)[1] == 30 + MARGIN, what="the paw under the other bar")
        settle(0.5)
        self.assertEqual(self.app.geometry(paw)[1], 30 + MARGIN)
        self.assertEqual(cardinals(paw, "_NET_WM_STRUT_PARTIAL")[2], 30 + MARGIN + h + MARGIN)
        # It follows the other panel's strip as it changes.
        run("xprop", "-id", str(bar.id), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
            "_NET_WM_STRUT_PARTIAL", f"0,0,20,0,0,0,0,0,0,{width - 1},0,0")
        wait_for(lambda: self.app.geometry(paw)[1] == 20 + MARGIN, what="the paw under the shallower bar")

    @unittest.skipIf(WM == "none", "no window manager runs")
    def test_our_windows_open_with_their_title_bars_clear_of_the_paw(self):
        x, y, w, h = self.app.geometry(self.app.paw)
        self.app.click_paw()
        # The feedback panel opens over the popover, at the top-right corner, from the menu's
        # fourth item from the bottom.
        self.app.press("more actions")
        settle(0.5)
        xdo("key", "Up", "Up", "Up", "Up", "Return")
        found = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name", "^send feedback$",
                                     check=False).split(), what="the feedback panel")
        panel = int(found[0])
        settle(0.5)
        left, right, top, bottom = cardinals(panel, "_NET_FRAME_EXTENTS")
        px, py, pw, ph = self.app.geometry(panel)
        self.assertGreater(px + pw + right, x, "the panel reaches under the paw's column")
        self.assertGreaterEqual(py - top, y + h + MARGIN)
        # Nothing of ours stays over it: the attached popover, always on top, slid away.
        wait_for(lambda: sorted(self.app.windows()) == sorted([self.app.paw, panel]),
                 what="only the paw and the panel")


if __name__ == "__main__":
    unittest.main()
