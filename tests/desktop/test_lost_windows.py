"""Windows another X client destroys (xdotool windowclose) come back at their next use; one that
went costs nothing meanwhile."""
import json
import time
import unittest

from Xlib import X

from desktop import (Mewt, TOUR_DONE, centre, display, drag, find_windows, inside, run, running_timer, screen_size,
                     settle, wait_for, xdo)

SETTINGS = "^mewt settings$"
FEEDBACK = "^send feedback$"


def popover(app):
    """The biggest of the app's shown windows besides the paw and settings: the popover, attached or pinned."""
    others = [w for w in app.windows() if w != app.paw and w not in find_windows(SETTINGS)]
    return max(others, key=lambda w: app.geometry(w)[2] * app.geometry(w)[3], default=None)


def placed(app):
    """The app's windows and their x, y, width and height; one that goes meanwhile is left out."""
    shells = {w: run("xdotool", "getwindowgeometry", "--shell", str(w), check=False).split() for w in app.windows()}
    return {w: tuple(int(field.split("=")[1]) for field in shell[1:5]) for w, shell in shells.items() if shell}


def wakeups_while_a_window_moves(app, seconds=1.0):
    """How often the app's main thread woke while another program moved its window 200 times a second."""
    d = display()
    window = d.screen().root.create_window(0, 0, 20, 20, 0, X.CopyFromParent, override_redirect=True)
    window.map()
    d.sync()

    def switches():
        with open(f"/proc/{app.process.pid}/status") as status:
            return sum(int(line.split()[1]) for line in status if "ctxt_switches" in line)
    before = switches()
    for step in range(int(seconds * 200)):
        window.configure(x=step % 400)
        d.flush()
        time.sleep(0.005)
    woke = switches() - before
    window.destroy()
    d.sync()
    return woke


def end(app):
    """When the stored timer ends, in Unix seconds; 0 while none runs."""
    raw = app.stored().get("timerSnapshot", "")
    return json.loads(raw[raw.find("{"):raw.rfind("}") + 1].replace('\\"', '"'))["state"].get("endDate", 0)


class LostWindows(unittest.TestCase):
    def test_each_window_is_built_again_after_another_client_destroys_it(self):
        with Mewt(TOUR_DONE) as app:
            app.click_paw()
            attached = wait_for(lambda: popover(app), what="the popover")
            xdo("windowclose", attached)
            wait_for(lambda: attached not in app.windows(), what="the popover to go")
            app.click_paw()
            again = wait_for(lambda: popover(app), what="the popover after its window was destroyed")
            self.assertNotEqual(again, attached)
            self.assertGreater(app.geometry(again)[3], 100)

            # The settings window, and the feedback panel (the menu's fourth row from the bottom) that
            # goes off the reader's screen too.
            for title, opens in ((SETTINGS, app.open_settings),
                                 (FEEDBACK, lambda: (app.open_controls("more actions"), app.menu(3)))):
                opens()
                window = wait_for(lambda: find_windows(title), what=title)[0]
                xdo("windowclose", window)
                wait_for(lambda: not find_windows(title) and not app.nodes("send feedback", role="dialog"),
                         what=f"{title} to go, for a reader too")
                opens()
                self.assertNotEqual(wait_for(lambda: find_windows(title), what=f"{title} again")[0], window)

            app.click_paw()
            app.press("detach and pin controls")
            pinned = wait_for(lambda: popover(app), what="the pinned window")
            xdo("windowclose", pinned)
            wait_for(lambda: pinned not in app.windows(), what="the pinned window to go")
            settle()
            # Gone as if closed: the controls are back under the paw.
            app.click_paw()
            wait_for(lambda: popover(app), what="the popover under the paw")
            self.assertIsNone(app.process.poll())

    def test_the_cue_the_pull_handle_and_the_paw_come_back(self):
        # 45 s before its end the timer's ending cue is up from the start.
        with Mewt(TOUR_DONE + "\n" + running_timer(45, total=300)) as app:
            cue = wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the cue")[0]
            xdo("windowclose", cue)
            wait_for(lambda: cue not in app.windows(), what="the cue to go")
            # Gone, it watches other windows no more than a cue put away does.
            settle()
            self.assertLess(wakeups_while_a_window_moves(app), 40)
            app.press(app.open_controls("pause timer").name)
            app.press(app.open_controls("resume timer").name)
            # A new one, beside the pointer (its shadow's margin off).
            xdo("mousemove", 400, 300)
            wait_for(lambda: [w for w, at in placed(app).items() if w != cue and at[:2] == (412, 312)],
                     what="the cue again")
            app.click_paw()  # the popover away

            # Destroyed in the middle of a pull: the pull ends, and the next one starts a timer.
            paw_x, paw_y = centre(app.node("mewt timer"))
            drag(paw_x, paw_y, -4, 40, 8)
            width, height = screen_size()
            overlay = lambda: [w for w, at in placed(app).items() if at[2:] == (width, height)]
            wait_for(overlay, what="the pull's overlay")
            handle = wait_for(lambda: [w for w, at in placed(app).items() if at[2:] == (34, 63)],
                              what="the pull handle")[0]
            xdo("windowclose", handle)
            wait_for(lambda: not overlay(), what="the overlay to go with the pull")
            xdo("mouseup", "1")
            before = end(app)
            drag(paw_x, paw_y, -4, 40, 8)
            xdo("mouseup", "1")
            wait_for(lambda: end(app) > before + 30, what="the pull to set a later end")
            wait_for(lambda: not overlay(), what="the overlay to go after the pull")

            paw = app.paw
            xdo("windowclose", paw)
            app.paw = wait_for(lambda: [w for w, at in placed(app).items() if w != paw and inside(paw_x, paw_y, at)],
                               what="the paw back at once")[0]
            app.open_controls("pause timer")


if __name__ == "__main__":
    unittest.main()
