"""The paw among other windows: nothing of ours left showing beside the popover a click opens (a menu
row chosen below it keeps it); an override-redirect window without a manager; under one a panel (its
type, desktops, strip, a maximised and a fullscreen window beside it, other and hostile panels) that
our windows clear, and a pinned popover that stays put until dragged; the open popover staying for
the pointer on the paw's time and giving way to a pull, with and without a compositor (PullFromPopover);
a panel whenever the manager comes (ManagerArrival, in a session that leaves the manager to the test);
the look the desktop's theme asks for (an XSETTINGS manager's, followed live), and the duration rope's
pill clean without a compositor."""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

from Xlib import X, Xatom

from desktop import (TOUR_DONE, WM, Compositor, Mewt, Other, above, cardinals, centre, click, display, drag,
                     find_windows, geometry, outer, override_redirect, pixels, run, running_timer, screen_size,
                     selection_owned, settle, start_manager, text_of, wait_for, xdo, xprop)

MARGIN = 6


class StrutClient(Other):
    """Another program's dock (strut_client.py), with the log of what it did and saw."""

    def __init__(self, *args):
        self.log = tempfile.NamedTemporaryFile("r", prefix="mewt-strut-")
        self.process = subprocess.Popen([sys.executable, "strut_client.py", self.log.name, *map(str, args)])
        self.id = wait_for(lambda: find_windows("^strut client$"), what="the strut client")[0]

    def lines(self):
        self.log.seek(0)
        return self.log.read().split()


class XSettingsManager:
    """xsettingsd serving a theme name, as XFCE's settings daemon does; SIGHUP makes it read its file again."""

    def __init__(self, theme):
        self.file = tempfile.NamedTemporaryFile("w", prefix="mewt-xsettings-")
        self.set_theme(theme, reload=False)
        self.process = subprocess.Popen(["xsettingsd", "-c", self.file.name],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: selection_owned("_XSETTINGS_S0"), what="xsettingsd managing the settings")

    def set_theme(self, theme, reload=True):
        self.file.seek(0)
        self.file.truncate()
        self.file.write(f'Net/ThemeName "{theme}"\n')
        self.file.flush()
        if reload:
            self.process.send_signal(signal.SIGHUP)

    def close(self):
        self.process.kill()
        self.process.wait()
        self.file.close()


def is_panel(window):
    """Shown, taken by the manager, a dock with its strip."""
    x, y, w, h = geometry(window)
    return ("IsViewable" in run("xwininfo", "-id", str(window)) and not override_redirect(window)
            and hex(window) in re.findall(r"0x[0-9a-f]+", xprop(None, "_NET_CLIENT_LIST"))
            and "_NET_WM_WINDOW_TYPE_DOCK" in xprop(window, "_NET_WM_WINDOW_TYPE")
            and cardinals(window, "_NET_WM_STRUT_PARTIAL")[2:3] == [y + h + MARGIN])


def set_strut(window, depth, width):
    run("xprop", "-id", str(window), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
        "_NET_WM_STRUT_PARTIAL", f"0,0,{depth},0,0,0,0,0,0,{width - 1},0,0")


def whole(panel, what, flush=False):
    """Waits for `panel`'s frame to lie whole on the work area (`flush`: on its bottom edge, moved by no
    more than it takes); one taller than the area at its top, title bar in view."""
    def inside():
        work_x, work_y, work_w, work_h = cardinals(None, "_NET_WORKAREA")[:4]
        x, y, w, h = outer(panel)
        return (x >= work_x and y >= work_y and x + w <= work_x + work_w
                and (y + h <= work_y + work_h or (h > work_h and y == work_y))
                and (not flush or y + h == work_y + work_h))
    settle(0.5)
    wait_for(inside, what=f"the panel whole on the work area{', at its bottom' if flush else ''}, {what}")


def grow_feedback(app, panel, flush=False):
    """Grows the open feedback panel by the address field and a failed send's sentence; it stays whole."""
    whole(panel, "as it opens", flush)
    click(app.node("feedback message"))
    xdo("type", "hello")
    app.press("include email so i can reply")
    app.node("reply email")
    whole(panel, "with the address field", flush)
    app.press("send")
    sentence = "this build has no feedback service, so notes go nowhere."
    wait_for(lambda: any(text_of(node) == sentence for node in app.nodes(role="text")), what="the failure")
    whole(panel, "with the failure's sentence", flush)


class Panel(unittest.TestCase):
    @unittest.skipIf(WM == "none", "no frames without a window manager")
    def test_windows_placed_and_kept_by_their_frames(self):
        app = Mewt(TOUR_DONE)
        self.addCleanup(app.quit)
        app.open_settings()
        settings = wait_for(lambda: find_windows("^mewt settings$"), what="the settings window")[0]
        settle(0.5)
        work_x, work_y, work_w, work_h = cardinals(None, "_NET_WORKAREA")[:4]
        x, y, w, h = outer(settings)
        self.assertLessEqual(abs(2 * x + w - 2 * work_x - work_w), 2, "centred across by its frame")
        self.assertLessEqual(abs(2 * y + h - 2 * work_y - work_h), 2, "centred down by its frame")

        # Opened over the settings window at the screen's bottom, the feedback panel stays whole as
        # it grows; the screen's area shrinking under it (to 800 x 480: Xvfb changes no size, and
        # openbox takes at most half the screen for a strut) moves it in.
        xdo("windowmove", settings, x, work_y + work_h - h + 60)
        wait_for(lambda: outer(settings)[1] + h > work_y + work_h - 70, what="the settings window low")
        app.node("send feedback", role="push button").queryAction().doAction(0)
        panel = wait_for(lambda: find_windows("^send feedback$"), what="the feedback panel")[0]
        grow_feedback(app, panel)
        width, height = screen_size()
        with StrutClient("fixed", 0, width // 2, 0, height - 480):
            wait_for(lambda: cardinals(None, "_NET_WORKAREA")[3] <= 480, what="the smaller work area")
            whole(panel, "on the smaller area")

    def test_the_paw_among_other_windows(self):
        app = Mewt(TOUR_DONE)
        self.addCleanup(app.quit)
        paw = app.paw
        settle(0.5)
        width = screen_size()[0]
        x, y, w, h = app.geometry(paw)
        if WM == "none":
            self.assertIn("Override Redirect State: yes", run("xwininfo", "-id", str(paw)))
            self.assertEqual(cardinals(paw, "_NET_WM_STRUT_PARTIAL"), [])
        else:
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
            # A maximised window, its title-bar buttons too, stays below the strip.
            other = Other("maximised")
            self.addCleanup(other.close)
            other.state("add,maximized_vert,maximized_horz")
            self.assertGreaterEqual(other.frame()[1], y + h + MARGIN)
            self.assertEqual(other.frame()[0] + other.frame()[2], width)

        # A click on the paw reaches it and leaves only the paw and the popover; it never focuses the paw.
        app.click_paw()
        shown = wait_for(lambda: len(app.windows()) == 2 and app.windows(), what="two windows")
        self.assertIn(paw, shown)
        self.assertGreater(app.geometry(next(w for w in shown if w != paw))[2], 200)
        settle(0.5)
        self.assertEqual(len(app.windows()), 2)
        # A menu row chosen below the popover, while the handle waits to hide by itself, leaves the
        # popover up; a click elsewhere still takes it.
        popover = next(w for w in shown if w != paw)
        px, py, pw, ph = app.geometry(popover)
        app.press("more actions")
        xdo("mousemove", px + 10, py + ph + 60)
        xdo("key", *["Up"] * 6, "Return")
        wait_for(lambda: app.stored().get("tactileSoundsEnabled") == "false", what="the menu's mute row")
        settle(3.5)
        self.assertIn(popover, app.windows())
        xdo("click", "1")
        wait_for(lambda: popover not in app.windows(), what="a click elsewhere taking the popover")
        if WM == "none":
            return
        self.assertIsNone(other.process.poll())
        self.assertNotIn(hex(paw), run("xprop", "-root", "_NET_ACTIVE_WINDOW"))

        # It stands above the active window; a fullscreen one covers it, as it covers every panel.
        xdo("windowactivate", other.id)
        settle()
        self.assertTrue(above(paw, other.id))
        other.state("add,fullscreen")
        self.assertTrue(above(other.id, paw))
        other.state("remove,fullscreen")

        # Another panel that comes later moves the paw under its strip, one not as deep as the
        # paw's own; the paw's own strip never moves it.
        bar = Other("topbar")
        self.addCleanup(bar.close)
        xdo("windowunmap", "--sync", bar.id)
        set_strut(bar.id, 30, width)
        xdo("windowmap", bar.id)
        wait_for(lambda: app.geometry(paw)[1] == 30 + MARGIN, what="the paw under the other bar")
        settle(0.5)
        self.assertEqual(app.geometry(paw)[1], 30 + MARGIN)
        self.assertEqual(cardinals(paw, "_NET_WM_STRUT_PARTIAL")[2], 30 + MARGIN + h + MARGIN)
        # It follows the other panel's strip as it changes.
        set_strut(bar.id, 20, width)
        wait_for(lambda: app.geometry(paw)[1] == 20 + MARGIN, what="the paw under the shallower bar")

        # Pinned under the bars, the popover goes just below the paw's strip, where it hung across,
        # and stays there, also after a click on its empty header and the pointer moving on alone;
        # a drag moves it, and one let go over the strip puts it back below.
        app.open_controls("more actions")
        x = app.geometry(next(w for w in app.windows() if w != paw))[0]
        strip = cardinals(paw, "_NET_WM_STRUT_PARTIAL")[2]
        app.press("detach and pin controls")
        pinned = wait_for(lambda: [w for w in app.windows() if w != paw and not override_redirect(w)],
                          what="the pinned window")[0]
        settle(0.5)
        pin_x, pin_y = centre(app.node("reattach controls"))
        xdo("mousemove", pin_x - 24, pin_y, "click", "1", "mousemove", pin_x - 324, pin_y + 200)
        settle(0.5)
        self.assertEqual(outer(pinned)[:2], (x, strip))
        drag(pin_x - 24, pin_y, -30, 20, 10)
        xdo("mouseup", "1")
        wait_for(lambda: app.geometry(pinned)[0] < x - 250, what="the dragged window")
        drag(pin_x - 324, pin_y + 200, 30, -25, 10)
        xdo("mouseup", "1")
        wait_for(lambda: outer(pinned)[1] == strip and outer(pinned)[0] > x - 60, what="the window back below the strip")

        # Dragged on to the screen's bottom right, it opens the feedback panel flush with the
        # bottom edge; the panel stays whole on the work area, and flush, as the address field and
        # a failed send's sentence grow it.
        width, height = screen_size()
        px, py, pw, ph = app.geometry(pinned)
        pin_x, pin_y = centre(app.node("reattach controls"))
        # The first step only starts the move.
        drag(pin_x - 24, pin_y, (width - px - pw) // 10, (height - py - ph) // 10, 11)
        xdo("mouseup", "1")
        wait_for(lambda: app.geometry(pinned)[1] > height - ph - 40, what="the window at the bottom")
        app.menu(3)
        panel = wait_for(lambda: find_windows("^send feedback$"), what="the feedback panel")[0]

        grow_feedback(app, panel, flush=True)
        app.press("cancel")
        wait_for(lambda: not find_windows("^send feedback$"), what="the panel to go")
        app.press("reattach controls")
        wait_for(lambda: pinned not in app.windows(), what="the window going back under the paw")

        # The feedback panel (the menu's fourth row from the bottom) opens at the top-right corner
        # with its title bar clear of the paw; the attached popover, always on top, slid away.
        x, y, w, h = app.geometry(paw)
        app.open_controls("more actions")
        app.menu(3)
        panel = wait_for(lambda: find_windows("^send feedback$"), what="the feedback panel")[0]
        settle(0.5)
        left, right, top, bottom = cardinals(panel, "_NET_FRAME_EXTENTS")
        px, py, pw, ph = app.geometry(panel)
        self.assertGreater(px + pw + right, x, "the panel reaches under the paw's column")
        self.assertGreaterEqual(py - top, y + h + MARGIN)
        wait_for(lambda: sorted(app.windows()) == sorted([paw, panel]), what="only the paw and the panel")
        bar.close()
        wait_for(lambda: app.geometry(paw)[1] == MARGIN, what="the paw back in the corner")

        # A strut that leaves less room than the paw (from the top, from the right) never takes
        # it off the screen: it stays in the screen's corner, and reserves its strip once it goes.
        strip = lambda: cardinals(paw, "_NET_WM_STRUT_PARTIAL")[2]
        for strut in ([0, 0, screen_size()[1] - 20, 0], [0, width - 1, 0, 0]):
            with StrutClient("fixed", *strut):
                wait_for(lambda: strip() == 0, what="the paw's strip given up")
                x, y, w, h = app.geometry(paw)
                self.assertEqual((x + w, y), (width - MARGIN, MARGIN))
            wait_for(lambda: strip() == MARGIN + h + MARGIN, what="the strip back")

        # A peer panel that goes below the deepest strip, ours too, settles below the paw: a move
        # of its own, none of ours in answer, then quiet.
        with StrutClient("below", 30) as peer:
            wait_for(peer.lines, what="the peer panel's move")
            settle(2.5)
            self.assertEqual(peer.lines(), ["move", str(MARGIN + h + MARGIN)])
            self.assertEqual(app.geometry(paw)[1], MARGIN)


    @unittest.skipUnless(shutil.which("xsettingsd"), "xsettingsd is missing; scripts/install-deps.sh installs it")
    def test_a_dark_desktop_theme_live_and_the_duration_rope_without_a_compositor(self):
        # No portal runs here: the desktop's theme decides, as on XFCE.
        manager = XSettingsManager("Adwaita-dark")
        self.addCleanup(manager.close)
        # Data that is no settings, there from the start, holds neither the app nor the display.
        owner = display().get_selection_owner(display().intern_atom("_XSETTINGS_S0"))
        settings = display().intern_atom("_XSETTINGS_SETTINGS")
        owner.change_property(settings, Xatom.STRING, 8, b"hello")
        display().sync()
        app = Mewt("\n".join([TOUR_DONE, "timerMode=pomodoro"]))
        self.addCleanup(app.quit)
        run("xdpyinfo", timeout=1)
        manager.set_theme("Adwaita-dark")
        focus = app.open_controls("focus duration, 25 minutes")
        popover = max((w for w in app.windows() if w != app.paw), key=lambda w: geometry(w)[2] * geometry(w)[3])

        def brightness():
            shown = [value for row in pixels(*geometry(popover)) for pixel in row for value in pixel]
            return sum(shown) / len(shown)
        wait_for(lambda: brightness() < 90, what="a dark popover under a dark theme")
        manager.set_theme("Greybird")
        wait_for(lambda: brightness() > 180, what="the popover turning light with the theme")

        # Such data (another type, another format, too short, too big) written over the manager's
        # while the app runs: the display keeps answering everyone, and the app goes without the
        # desktop's theme until the manager's next settings, which it follows.
        for kind, form, data in ((Xatom.STRING, 8, b"hello"), (settings, 32, [1] * 16), (settings, 8, b"\0\0"),
                                 (settings, 8, b"\0" * 200_000)):
            manager.set_theme("Adwaita-dark")
            wait_for(lambda: brightness() < 90, what="the popover dark")
            owner.change_property(settings, kind, form, data)
            # Bigger than one request carries.
            for _ in range(len(data) // 40_000):
                owner.change_property(settings, kind, form, data, X.PropModeAppend)
            display().sync()
            run("xdpyinfo", timeout=1)
            wait_for(lambda: brightness() > 180, what=f"no desktop theme after data of type {kind}, {len(data)} long")
            manager.set_theme("Adwaita-dark")
            wait_for(lambda: brightness() < 90, what=f"the settings followed after data of type {kind}")

        # Pulled 48 px straight down, the rope's pill shows 14 px right of and 12 below the pointer,
        # over the popover's own instructions. Its rounded corners show what was there; no black.
        x, y = centre(focus)
        xdo("mousemove", x, y)
        settle()
        spot = (x + 8, y + 54, 100, 40)
        before = pixels(*spot)
        drag(x, y, 0, 6, 8)
        settle(0.5)
        during = pixels(*spot)
        xdo("mouseup", "1")
        changed = [(col, row) for row, line in enumerate(during) for col, pixel in enumerate(line)
                   if pixel != before[row][col]]
        self.assertTrue(changed, "the pill showed")
        left, right = min(c for c, _ in changed), max(c for c, _ in changed)
        top, bottom = min(r for _, r in changed), max(r for _, r in changed)
        self.assertGreater(right - left, 24)
        self.assertGreater(bottom - top, 12)
        for col, row in ((left, top), (right, top), (left, bottom), (right, bottom)):
            self.assertEqual(during[row][col], before[row][col], f"the pill's corner at {col}, {row}")


def sized(app, width, height):
    """The app's shown windows of that size; one that goes meanwhile is left out."""
    return [w for w in app.windows() if f"WIDTH={width}\nHEIGHT={height}\n"
            in run("xdotool", "getwindowgeometry", "--shell", str(w), check=False)]


class CompositorArrival(unittest.TestCase):
    def test_the_look_follows_a_compositor_that_comes_and_goes(self):
        # Session autostart starts programs in no set order: the compositor may come after the app.
        app = Mewt(TOUR_DONE)
        self.addCleanup(app.quit)
        shaped = lambda window: display().create_resource_object("window", window).shape_query_extents().bounding_shaped
        self.assertTrue(shaped(app.paw), "the paw cut to its outline")
        # Mid-pull the paw and the arm's overlay turn blended, and back when it goes.
        x, y, w, h = app.geometry(app.paw)
        drag(x + 12, y + h // 2, 0, 10, 6)
        overlay = wait_for(lambda: sized(app, *screen_size()), what="the pull's overlay")[0]
        self.assertTrue(shaped(overlay))
        with Compositor() as compositor:
            wait_for(lambda: not shaped(overlay) and not shaped(app.paw), what="the arm and the paw blended")
            compositor.stop()
            wait_for(lambda: shaped(overlay) and shaped(app.paw), what="the arm and the paw cut to their outlines")
        xdo("key", "Escape", "mouseup", "1")
        wait_for(lambda: overlay not in app.windows(), what="the cancelled pull's overlay to go")


def attached_popover(app):
    """The popover's window hanging under the paw (the pull's overlay spans the screen)."""
    return next((w for w in app.windows() if w != app.paw and 250 < app.geometry(w)[2] < 400), None)


class PullFromPopover(unittest.TestCase):
    def pull(self, app):
        """Presses the paw under the open popover and pulls 100 px down: the popover goes."""
        popover = wait_for(lambda: attached_popover(app), what="the popover")
        x, y, w, h = app.geometry(app.paw)
        drag(x + 12, y + h // 2, 0, 10, 10)
        xdo("mouseup", "1")
        wait_for(lambda: popover not in app.windows(), what="the pull taking the popover away")

    def test_the_open_popover_stays_for_the_time_and_gives_way_to_a_pull(self):
        # With a compositor the panel's shadow reaches over the paw.
        with Compositor() as compositor:
            app = Mewt(TOUR_DONE + "\n" + running_timer(600))
            self.addCleanup(app.quit)
            # Opened from the time at the paw's right end, it stays while the pointer rests there
            # past the handle's own timeout.
            x, y, w, h = app.geometry(app.paw)
            xdo("mousemove", x + w - 14, y + h // 2, "click", "1")
            popover = wait_for(lambda: attached_popover(app), what="the popover")
            settle(4)
            self.assertIn(popover, app.windows())

            end = app.timer()["endDate"]
            self.pull(app)
            wait_for(lambda: app.timer()["endDate"] > end + 60, what="the running timer extended")

            # The paw peeking out after a pull takes presses only where it is drawn: one on it pulls,
            # one on its see-through side goes to what lies beneath.
            def peeking():
                handle = wait_for(lambda: sized(app, 34, 63), what="the paw peeking out after the pull")[0]
                settle(0.3)  # slid all the way out
                return handle
            end = app.timer()["endDate"]
            hx, hy, *_ = app.geometry(peeking())
            drag(hx + 17, hy + 52, 0, 10, 8)
            xdo("mouseup", "1")
            wait_for(lambda: app.timer()["endDate"] > end + 60, what="a pull from the peeking paw")
            hx, hy, *_ = app.geometry(peeking())
            drag(hx + 2, hy + 36, 0, 10, 4)
            self.assertFalse(sized(app, *screen_size()), "a pull began")
            xdo("mouseup", "1")

            app.open_controls("pause timer")
            app.press("pause timer")
            left = wait_for(lambda: app.timer().get("remainingSeconds"), what="the timer paused")
            self.pull(app)
            wait_for(lambda: app.timer().get("remainingSeconds", 0) > left + 60, what="the paused timer extended")

            # Pinned, the window leaves the paw's strip with its shadow and frame (a manager's frame
            # takes the presses our input shape lets through): a press on the paw's middle still pulls.
            app.open_controls("more actions")
            app.press("detach and pin controls")
            pinned = wait_for(lambda: [w for w in app.windows() if w != app.paw and not override_redirect(w)],
                              what="the pinned window")[0]
            settle(0.5)
            if WM != "none":
                self.assertGreaterEqual(outer(pinned)[1], cardinals(app.paw, "_NET_WM_STRUT_PARTIAL")[2])
            left = app.timer()["remainingSeconds"]
            x, y, w, h = app.geometry(app.paw)
            drag(x + 12, y + h // 2, 0, 10, 10)
            xdo("mouseup", "1")
            wait_for(lambda: app.timer().get("remainingSeconds", 0) > left + 60, what="a pull beside the pinned window")
            app.press("reattach controls")
            wait_for(lambda: pinned not in app.windows(), what="the window going back under the paw")

            # Without one, from the popover a cancel leaves showing: the paw has shrunk beside it.
            compositor.stop()
            app.open_controls("cancel timer")
            app.press("cancel timer")
            wait_for(lambda: app.timer()["kind"] == "idle", what="the timer cancelled")
            self.pull(app)
            wait_for(lambda: app.timer()["kind"] == "running", what="a timer pulled from idle")


@unittest.skipUnless(os.environ.get("MEWT_TEST_WM_LATER") == "1" and WM != "none",
                     "needs a session that leaves its manager to the test")
class ManagerArrival(unittest.TestCase):
    def test_the_paw_becomes_a_panel_whenever_the_manager_comes(self):
        # At login the manager and the app start together: a manager that is still starting
        # drops the paw's map request.
        manager = start_manager()
        self.addCleanup(manager.kill)
        with Mewt(TOUR_DONE) as app:
            wait_for(lambda: is_panel(app.paw), what="the paw a panel beside a manager started with it")
        manager.terminate()
        manager.wait()

        # The app well before the manager: its paw bypasses nobody yet, then becomes the panel.
        app = Mewt(TOUR_DONE)
        self.addCleanup(app.quit)
        self.assertTrue(override_redirect(app.paw))
        manager = start_manager()
        self.addCleanup(manager.kill)
        wait_for(lambda: is_panel(app.paw), what="the paw a panel once the manager came")
        x, y, w, h = app.geometry(app.paw)
        self.assertEqual((x + w, y), (screen_size()[0] - MARGIN, MARGIN))

        # A manager that replaces it takes the panel over.
        successor = start_manager("--replace")
        self.addCleanup(successor.kill)
        manager.wait(10)
        wait_for(lambda: is_panel(app.paw), what="the paw a panel of the new manager")


if __name__ == "__main__":
    unittest.main()
