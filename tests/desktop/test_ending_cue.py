"""The ending cue on a desktop: it follows the pointer also when the pointer moves without raw
motion (injected input, as every test here sends it), and a window opened after it does not cover it."""
import subprocess
import time
import unittest

from desktop import TOUR_DONE, Mewt, run, settle, wait_for, xdo

# The card stands this far right of and below the pointer (its shadow's margin included).
OFFSET = 12


def running_until(seconds_from_now):
    end = round(time.time() + seconds_from_now, 3)
    return ('timerSnapshot="@ByteArray({\\"draftName\\":\\"\\",\\"state\\":{\\"endDate\\":%s,'
            '\\"kind\\":\\"running\\"},\\"totalDurationSeconds\\":300,\\"version\\":1})"' % end)


def stacking_top_down():
    """The root's children, top-most first."""
    out = run("xwininfo", "-root", "-children")
    return [int(line.split()[0], 16) for line in out.splitlines() if line.strip().startswith("0x")]


class EndingCue(unittest.TestCase):
    def test_follows_injected_moves_and_stays_above_later_windows(self):
        app = Mewt(TOUR_DONE + "\n" + running_until(45))
        self.addCleanup(app.quit)
        cue = wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the cue")[0]
        for x, y in ((400, 300), (900, 500)):
            xdo("mousemove", x, y)
            wait_for(lambda: app.geometry(cue)[:2] == (x + OFFSET, y + OFFSET), timeout=1.5,
                     what=f"the cue beside the pointer at {x}, {y}")

        other = subprocess.Popen(["xmessage", "-geometry", "+880+480", "-name", "later", "a window opened later"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(other.kill)
        later = int(wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name", "later",
                                         check=False).split(), what="the later window")[0])
        settle(0.6)
        order = stacking_top_down()
        # The later window or the frame the manager put it in, whichever is the root's child.
        frame = later
        while frame not in order:
            frame = int(run("xwininfo", "-id", str(frame), "-tree").split("Parent window id: ")[1].split()[0], 16)
        self.assertLess(order.index(cue), order.index(frame))


if __name__ == "__main__":
    unittest.main()
