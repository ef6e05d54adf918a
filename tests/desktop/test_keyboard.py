"""The keyboard under a real window manager: typing into the popover while another program held
the keyboard, and that program given it back however the popover goes; Escape, Tab through the pinned
window, the welcome tour finished by keys, where the keyboard goes when what held it goes, and the
settings' search hits."""
import subprocess
import sys
import tempfile
import unittest

from desktop import (TOUR_DONE, WM, Mewt, activate, click, composited, find_windows, focused, run, running_timer,
                     screen_size, selected, settle, start_manager, text_of, wait_for, xdo)


def focused_name(app):
    node = app.focused_node()
    return node.name if node is not None else None


# What the popover's root reads as: it holds the keyboard whenever no control does.
ROOT = "filler"


def press(app, key):
    """Sends `key` and returns the name of the control that takes the keyboard from it."""
    before = focused_name(app)
    xdo("key", key)
    return wait_for(lambda: (name := focused_name(app)) != before and name, timeout=3,
                    what=f"the keyboard moving on {key}")


class Editor:
    """Another program's window that takes the keyboard and logs the keys it gets (typing_client.py)."""

    def __init__(self):
        self.log = tempfile.NamedTemporaryFile("r", prefix="mewt-typed-")
        self.process = subprocess.Popen([sys.executable, "typing_client.py", self.log.name, "editor", "80", "400"])
        self.id = wait_for(lambda: find_windows("^editor$"), what="the editor")[0]

    def holds_keyboard(self):
        return run("xdotool", "getwindowfocus", check=False).strip() == str(self.id)

    def typed(self):
        self.log.seek(0)
        # Latin-1 keysyms are their characters.
        return "".join(chr(int(line.split()[1])) for line in self.log if line.startswith("key "))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait()
        self.log.close()


class Keyboard(unittest.TestCase):
    def test_each_layout_takes_the_typing_and_gives_the_keyboard_back(self):
        # xfwm4 keeps a keyboard let go for itself, with its compositor as without.
        for compositor in ("off", "on") if WM == "xfwm4" else ("off",):
            if compositor == "on":
                unittest.addModuleCleanup(start_manager("--replace", "--compositor=on").kill)
                wait_for(composited, what="xfwm4 compositing")
            cases = (("mewt", "", "Escape"), ("zen", "isZenModeEnabled=true", "a click elsewhere"),
                     ("clock", "timerIdleLayout=clock", "Escape"), ("mewt", "", "closing the pinned window"))
            # Only a manager closes the settings window.
            cases += (("mewt", "", "closing the settings window"),) if WM != "none" else ()
            for layout, extra, leave in cases:
                with self.subTest(compositor=compositor, layout=layout, leave=leave), Editor() as editor:
                    # As the user's editor would, the other program holds the keyboard when the paw is clicked.
                    activate(editor.id)
                    wait_for(editor.holds_keyboard, what="the editor holding the keyboard")
                    with Mewt("\n".join([TOUR_DONE, extra])) as app:
                        app.click_paw()
                        popover = len(app.windows())
                        self.assertGreater(popover, 1, "the popover came")
                        if layout == "clock":
                            click(app.node("add name"))
                        field = app.node(None, "text")
                        click(field)
                        xdo("type", "--delay", "40", "tea")
                        wait_for(lambda: text_of(field) == "tea", what=f"'tea' in the {layout} field")
                        self.assertEqual(editor.typed(), "")
                        if layout == "mewt" and leave == "Escape":
                            xdo("key", "Return")
                            wait_for(lambda: '\\"activeName\\":\\"tea\\"' in app.stored().get("timerSnapshot", "")
                                     and "running" in app.stored()["timerSnapshot"], what="a running timer named tea")
                            # The field went with the page: the root holds the keyboard, Space pauses.
                            self.assertEqual(app.focused_node().getRoleName(), ROOT)
                            xdo("key", "space")
                            wait_for(lambda: "paused" in app.stored()["timerSnapshot"], what="Space pausing tea")
                        if leave == "Escape":
                            xdo("key", "Escape")
                        elif leave == "a click elsewhere":
                            xdo("mousemove", *(side - 100 for side in screen_size()), "click", "1")
                        elif leave == "closing the settings window":
                            app.menu(1)
                            click(app.node("Search settings"))
                            xdo("type", "--delay", "40", "sound")
                            self.assertEqual(editor.typed(), "")
                            run("wmctrl", "-c", "mewt settings")
                        else:
                            app.press("detach and pin controls")
                            app.press("close detached controls")
                        wait_for(lambda: len(app.windows()) < popover, what=f"{leave} closing the popover")
                        # The keyboard went back where it came from: the next keys reach the editor.
                        wait_for(editor.holds_keyboard, what=f"the editor given the keyboard back after {leave}")
                        xdo("type", "--delay", "40", "ok")
                        wait_for(lambda: editor.typed() == "ok", what="the editor getting the next keys")
        if WM == "xfwm4":
            unittest.addModuleCleanup(start_manager("--replace").kill)
            wait_for(lambda: not composited(), what="xfwm4 back without its compositor")

    @unittest.skipIf(WM != "openbox", "the ring does not depend on the window manager")
    def test_tab_and_shift_tab_walk_every_control_in_reading_order(self):
        with Mewt("\n".join([TOUR_DONE, "timerPopoverIsDetached=true", "timerMode=pomodoro"])) as app:
            activate(wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the pinned window")[0])
            settle()
            ring = ["close detached controls", "reattach controls", "more actions", "allow", "timer",
                    "pomodoro", "optional name", "focus duration, 25 minutes", "break duration, 5 minutes",
                    "long break duration, 15 minutes", "long break interval"]
            forward = [press(app, "Tab") for _ in ring]
            self.assertIn(forward[0], ring)
            start = ring.index(forward[0])
            self.assertEqual(forward, ring[start:] + ring[:start])
            backwards = [press(app, "shift+Tab") for _ in ring]
            self.assertEqual(backwards, list(reversed(forward[:-1])) + [forward[-1]])
            # Space presses: on the mode picker's "timer" the idle page shows the timer mode.
            steps = (ring.index("timer") - ring.index(forward[-1])) % len(ring)
            for _ in range(steps):
                press(app, "Tab")
            self.assertEqual(focused_name(app), "timer")
            xdo("key", "space")
            wait_for(lambda: app.stored().get("timerMode") == "timer", what="Space choosing the timer mode")

            # The settings' search hits: Tab reaches the first, Down moves without opening it,
            # Return and Space open the current hit.
            app.menu(1)
            click(app.node("Search settings"))
            xdo("type", "--delay", "40", "sound")
            xdo("key", "Tab")
            hits = wait_for(lambda: (node := app.focused_node()) and node.getRoleName() == "list" and node,
                            what="the hits taking Tab")
            rows = lambda test: [row.name for row in map(hits.getChildAtIndex, range(hits.childCount)) if test(row)]
            first = wait_for(lambda: rows(focused), what="the first hit current")
            xdo("key", "Down")
            second = wait_for(lambda: (now := rows(focused)) != first and now, what="Down moving on")
            settle()
            self.assertEqual(rows(selected), [])
            for keys, hit in ((["Return"], second), (["Up", "space"], first)):
                xdo("key", *keys)
                wait_for(lambda: rows(selected) == hit, what=f"{keys} opening {hit}")

    def test_the_keyboard_walks_the_tour_and_return_finishes_it_after_next_was_clicked(self):
        with Mewt(running_timer(600)) as app:
            # Keys alone from the window's first focus: Return pages on, Space pauses the demo.
            app.node("next")
            xdo("key", "Return", "Return")
            app.node("click to pause")
            for _ in range(6):
                if focused_name(app) == "pause timer":
                    break
                xdo("key", "Tab")
                settle(0.2)
            xdo("key", "space", "Return")
            app.node("done")
            xdo("key", "Left")
            app.node("click to pause")
            # A click on next leaves Return to the tour.
            click(app.node("next"))
            app.node("done")
            xdo("key", "Return")
            wait_for(lambda: app.stored().get("onboardingVersion") == "3", what="the tour finished by keys")
            # The tour went with the keyboard: the root has it, so Space pauses the running timer, also
            # once the popover was pinned by a screen reader; Tab then walks the controls.
            for state, pin in (("paused", True), ("running", False)):
                self.assertEqual(app.focused_node().getRoleName(), ROOT)
                xdo("key", "space")
                wait_for(lambda: state in app.stored()["timerSnapshot"], what=f"Space leaving the timer {state}")
                if pin:
                    app.press("detach and pin controls")
                    app.node("reattach controls")
                    activate(wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the pinned window")[0])
                    settle()
            self.assertEqual(press(app, "Tab"), "close detached controls")


if __name__ == "__main__":
    unittest.main()
