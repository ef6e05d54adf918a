"""Windows another X client destroys (xdotool windowclose) come back at their next use."""
import json
import unittest

from desktop import (Mewt, TOUR_DONE, centre, find_windows, inside, run, running_timer, screen_size, settle, wait_for,
                     xdo)

SETTINGS = "^mewt settings$"
FEEDBACK = "^send feedback$"


def popover(app):
    """The biggest of the app's shown windows besides the paw and settings: the popover, attached or pinned."""
    others = [w for w in app.windows() if w != app.paw and w not in find_windows(SETTINGS)]
    return max(others, key=lambda w: app.geometry(w)[2] * app.geometry(w)[3], default=None)


def placed(app):
    """The app's windows and their x, y, width and height; one that goes meanwhile is left out."""
    found = {}
    for w in app.windows():
        fields = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", str(w),
                                                         check=False).split())
        if fields:
            found[w] = tuple(int(fields[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
    return found


def pull_down(x, y):
    for step in range(1, 9):
        xdo("mousemove", x - step * 4, y + step * 40)
        settle(0.03)


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

            app.open_settings()
            settings = wait_for(lambda: find_windows(SETTINGS), what="the settings window")[0]
            xdo("windowclose", settings)
            wait_for(lambda: not find_windows(SETTINGS), what="the settings window to go")
            app.open_settings()
            self.assertNotEqual(wait_for(lambda: find_windows(SETTINGS), what="the settings window again")[0], settings)

            # The feedback panel (the menu's fourth row from the bottom) goes off the reader's screen too.
            app.open_controls("more actions")
            app.menu(3)
            panel = wait_for(lambda: find_windows(FEEDBACK), what="the feedback panel")[0]
            xdo("windowclose", panel)
            wait_for(lambda: not find_windows(FEEDBACK) and not app.nodes("send feedback", role="dialog"),
                     what="the feedback panel to go, for a reader too")
            app.open_controls("more actions")
            app.menu(3)
            self.assertNotEqual(wait_for(lambda: find_windows(FEEDBACK), what="the feedback panel again")[0], panel)

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
            app.press(app.open_controls("pause timer").name)
            app.press(app.open_controls("resume timer").name)
            # A new one, beside the pointer (its shadow's margin off).
            xdo("mousemove", 400, 300)
            wait_for(lambda: [w for w, at in placed(app).items() if w != cue and at[:2] == (412, 312)],
                     what="the cue again")
            app.click_paw()  # the popover away

            # Destroyed in the middle of a pull: the pull ends, and the next one starts a timer.
            paw_x, paw_y = centre(app.node("mewt timer"))
            xdo("mousemove", paw_x, paw_y, "mousedown", "1")
            pull_down(paw_x, paw_y)
            width, height = screen_size()
            overlay = lambda: [w for w, at in placed(app).items() if at[2:] == (width, height)]
            wait_for(overlay, what="the pull's overlay")
            handle = wait_for(lambda: [w for w, at in placed(app).items() if at[2:] == (34, 63)],
                              what="the pull handle")[0]
            xdo("windowclose", handle)
            wait_for(lambda: not overlay(), what="the overlay to go with the pull")
            xdo("mouseup", "1")
            before = end(app)
            xdo("mousemove", paw_x, paw_y, "mousedown", "1")
            pull_down(paw_x, paw_y)
            xdo("mouseup", "1")
            wait_for(lambda: end(app) > before + 30, what="the pull to set a later end")
            wait_for(lambda: not overlay(), what="the overlay to go after the pull")

            paw = app.paw
            xdo("windowclose", paw)
            app.paw = wait_for(lambda: next((w for w, at in placed(app).items() if w != paw and inside(paw_x, paw_y, at)),
                                            None), what="the paw back at once")
            app.open_controls("pause timer")


if __name__ == "__main__":
    unittest.main()
