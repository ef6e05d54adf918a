"""Windows another X client destroys (xdotool windowclose) come back at their next use."""
import unittest

from desktop import Mewt, TOUR_DONE, find_windows, settle, wait_for, xdo

SETTINGS = "^mewt settings$"


def popover(app):
    """The biggest of the app's shown windows besides the paw and settings: the popover, attached or pinned."""
    others = [w for w in app.windows() if w != app.paw and w not in find_windows(SETTINGS)]
    return max(others, key=lambda w: app.geometry(w)[2] * app.geometry(w)[3], default=None)


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


if __name__ == "__main__":
    unittest.main()
