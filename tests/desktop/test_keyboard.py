"""The keyboard under a real window manager: typing into the popover while another program held
the keyboard, Escape, Tab through the pinned window, and the welcome tour finished by keys."""
import os
import subprocess
import unittest

from desktop import Mewt, TOUR_DONE, WM, run, settle, showing, wait_for, walk, xdo, text_of, pyatspi


def centre_of(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(node):
    x, y = centre_of(node)
    xdo("mousemove", x, y, "click", "1")
    settle(0.5)


class OtherProgram:
    """A window of another program that holds the keyboard, as the user's editor would."""

    def __enter__(self):
        self.process = subprocess.Popen(["xmessage", "-geometry", "+80+400", "another program"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--class", "Xmessage",
                                           check=False).split(), what="the other program's window")[-1]
        if WM == "none":
            xdo("windowfocus", self.window)
        else:
            xdo("windowactivate", "--sync", self.window)
        wait_for(lambda: run("xdotool", "getwindowfocus", check=False).strip() == self.window,
                 what="the other program holding the keyboard")
        return self

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait()


def conf(app):
    with open(os.path.join(app.home, "config", "mewt", "mewt.conf")) as f:
        return f.read()


class TypingInTheAttachedPopover(unittest.TestCase):
    def name_field(self, app):
        return wait_for(lambda: next((n for n in walk(app.app) if n.getRoleName() == "text" and showing(n)), None),
                        what="a shown text field")

    def test_each_layout_takes_the_typing_and_escape_closes(self):
        for layout, extra in (("mewt", ""), ("zen", "isZenModeEnabled=true"), ("clock", "")):
            with self.subTest(layout=layout), OtherProgram():
                settings = "\n".join([TOUR_DONE, "timerIdleLayout=" + ("clock" if layout == "clock" else "mewt"), extra])
                with Mewt(settings) as app:
                    app.click_paw()
                    popover = len(app.windows())
                    self.assertGreater(popover, 1, "the popover came")
                    if layout == "clock":
                        click(app.node("add name"))
                    field = self.name_field(app)
                    click(field)
                    xdo("type", "--delay", "40", "tea")
                    wait_for(lambda: text_of(field) == "tea", what=f"'tea' in the {layout} field")
                    if layout == "mewt":
                        xdo("key", "Return")
                        wait_for(lambda: '\\"activeName\\":\\"tea\\"' in conf(app) and "running" in conf(app),
                                 what="a running timer named tea")
                    xdo("key", "Escape")
                    wait_for(lambda: len(app.windows()) < popover, what="Escape closing the popover")


class TabInThePinnedWindow(unittest.TestCase):
    def test_tab_and_shift_tab_walk_every_control_in_reading_order(self):
        settings = "\n".join([TOUR_DONE, "timerPopoverIsDetached=true", "timerMode=pomodoro"])
        with Mewt(settings) as app:
            pinned = wait_for(lambda: [w for w in app.windows() if w != app.paw], what="the pinned window")[0]
            if WM == "none":
                xdo("windowfocus", pinned)
            else:
                xdo("windowactivate", "--sync", pinned)
            settle(0.5)
            expected = ["close detached controls", "reattach controls", "more actions", "allow", "timer",
                        "pomodoro", "optional name", "focus duration, 25 minutes", "break duration, 5 minutes",
                        "long break duration, 15 minutes", "long break interval"]

            def focused_name():
                node = app.focused_node()
                return node.name if node is not None else None

            def press(key):
                before = focused_name()
                xdo("key", key)
                return wait_for(lambda: (focused_name() != before) and focused_name(), timeout=3,
                                what=f"the keyboard moving on {key}")

            for _ in range(len(expected) + 2):
                if press("Tab") == expected[-1]:
                    break
            self.assertEqual([press("Tab") for _ in expected], expected)
            backwards = list(reversed(expected))[1:] + [expected[-1]]
            self.assertEqual([press("shift+Tab") for _ in backwards], backwards)
            # Space presses: on the mode picker's "timer" the idle page shows the timer mode.
            while focused_name() != "timer":
                press("shift+Tab")
            xdo("key", "space")
            wait_for(lambda: "timerMode=timer" in conf(app), what="Space choosing the timer mode")


class TourByKeyboard(unittest.TestCase):
    def test_return_finishes_the_tour_after_next_was_clicked(self):
        with Mewt("") as app:
            for _ in range(3):
                click(app.node("next"))
            app.node("done")
            xdo("key", "Return")
            wait_for(lambda: "onboardingVersion=3" in conf(app), what="the finished tour written")

    def test_the_keyboard_alone_walks_the_tour_through_the_pause_demo(self):
        with Mewt("") as app:
            app.node("next")
            xdo("key", "Return", "Return")
            app.node("click to pause")
            for _ in range(6):
                node = app.focused_node()
                if node is not None and node.name == "pause timer":
                    break
                xdo("key", "Tab")
                settle(0.2)
            xdo("key", "space", "Return")
            app.node("done")
            xdo("key", "Left")
            app.node("click to pause")
            xdo("key", "Return")
            app.node("done")
            xdo("key", "Return")
            wait_for(lambda: "onboardingVersion=3" in conf(app), what="the tour finished by keys")


if __name__ == "__main__":
    unittest.main()
