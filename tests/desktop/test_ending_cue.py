"""The ending cue on a desktop: it follows the pointer also when the pointer moves without raw
motion (injected input, as every test here sends it), and a window opened after it does not cover it."""
import unittest

from desktop import TOUR_DONE, Mewt, Other, above, running_timer, settle, wait_for, xdo

# The card stands this far right of and below the pointer (its shadow's margin included).
OFFSET = 12


class EndingCue(unittest.TestCase):
    def test_follows_injected_moves_and_stays_above_later_windows(self):
        with Mewt(TOUR_DONE + "\n" + running_timer(45, total=300)) as app:
            cue = wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the cue")[0]
            for x, y in ((400, 300), (900, 500)):
                xdo("mousemove", x, y)
                wait_for(lambda: app.geometry(cue)[:2] == (x + OFFSET, y + OFFSET), timeout=1.5,
                         what=f"the cue beside the pointer at {x}, {y}")
            with Other("later", "+880+480") as later:
                settle()
                self.assertTrue(above(cue, later.id))


if __name__ == "__main__":
    unittest.main()
