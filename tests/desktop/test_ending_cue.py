"""The ending cue on a desktop: it follows the pointer also when the pointer moves without raw
motion (injected input, as every test here sends it), a window opened after it does not cover it,
and our own pull overlay, popover, menu and pinned window stay above it."""
import unittest

from desktop import TOUR_DONE, Mewt, Other, above, drag, override_redirect, running_timer, settle, wait_for, xdo

# The card stands this far right of and below the pointer (its shadow's margin included).
OFFSET = 12


class EndingCue(unittest.TestCase):
    def test_follows_injected_moves_and_stays_between_other_windows_and_ours(self):
        with Mewt(TOUR_DONE + "\n" + running_timer(58, total=300)) as app:
            cue = wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the cue")[0]
            for x, y in ((400, 300), (900, 500)):
                xdo("mousemove", x, y)
                wait_for(lambda: app.geometry(cue)[:2] == (x + OFFSET, y + OFFSET), timeout=1.5,
                         what=f"the cue beside the pointer at {x}, {y}")
            with Other("later", "+880+480") as later:
                settle()
                self.assertTrue(above(cue, later.id))

                new = lambda what, wide=0, known=(): wait_for(lambda: [
                    w for w in app.windows() if w not in (app.paw, cue, *known) and app.geometry(w)[2] > wide],
                    what=what)[0]
                x, y, w, h = app.geometry(app.paw)
                drag(x + w // 2, y + h // 2, 0, 25, 7)
                overlay = new("the pull's overlay", wide=1000)
                self.assertTrue(above(overlay, cue))
                xdo("key", "Escape", "mouseup", "1")
                wait_for(lambda: overlay not in app.windows(), what="the cancelled pull's overlay to go")
                app.click_paw()
                popover = new("the popover", wide=200)
                self.assertTrue(above(popover, cue) and above(cue, later.id))
                app.press("more actions")
                self.assertTrue(above(new("the menu", known=[popover]), cue))
                xdo("key", "Escape")
                app.press("detach and pin controls")
                pinned = wait_for(lambda: [w for w in app.windows() if w != app.paw and not override_redirect(w)],
                                  what="the pinned window")[0]
                settle()
                self.assertTrue(above(pinned, cue) and above(cue, later.id))


if __name__ == "__main__":
    unittest.main()
