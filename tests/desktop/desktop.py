"""Drives mewt on the private desktop that session.sh made: starts it with settings of the test's
own, finds its windows with xdotool and xprop, and reads and presses its controls over the
accessibility bus as a screen reader does."""
import configparser
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import pyatspi

APP = os.environ.get("MEWT_BIN", "")
WM = os.environ.get("MEWT_TEST_WM", "none")
# The tour's version that counts as seen, so a test starts on the popover unless it asks for the tour.
TOUR_DONE = "onboardingVersion=3"


def run(*args, check=True):
    return subprocess.run(args, check=check, capture_output=True, text=True).stdout


def xdo(*args):
    """xdotool with its arguments; returns its output."""
    return run("xdotool", *map(str, args))


def wait_for(predicate, timeout=8.0, step=0.05, what="condition"):
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(step)


def settle(seconds=0.3):
    """Lets the app and the window manager handle what was just sent."""
    time.sleep(seconds)


def screen_size():
    width, height = run("xdotool", "getdisplaygeometry").split()
    return int(width), int(height)


def xprop(window, prop):
    return run("xprop", "-id", str(window), prop, check=False)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def value_of(node):
    try:
        return node.queryValue().currentValue
    except NotImplementedError:
        return None


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, text.characterCount)


class Mewt:
    """One run of the app with a config folder of its own."""

    def __init__(self, settings="", env=None, args=()):
        if not APP:
            raise unittest.SkipTest("MEWT_BIN is not set")
        self.home = tempfile.mkdtemp(prefix="mewt-desktop-")
        config = os.path.join(self.home, "config", "mewt")
        os.makedirs(config)
        with open(os.path.join(config, "mewt.conf"), "w") as f:
            f.write("[General]\n" + settings + "\n")
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.home, "config"))
        environment.update(env or {})
        self.process = subprocess.Popen([APP, *args], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.paw = wait_for(lambda: self.windows(), what="the paw's window")[0]
        self.app = wait_for(self._find_app, what="mewt on the accessibility bus")

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                continue
        return None

    def windows(self):
        """The app's mapped windows, as X ids."""
        out = run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid), check=False)
        return [int(w) for w in out.split()]

    def geometry(self, window):
        out = run("xdotool", "getwindowgeometry", "--shell", str(window))
        fields = dict(line.split("=", 1) for line in out.split())
        return int(fields["X"]), int(fields["Y"]), int(fields["WIDTH"]), int(fields["HEIGHT"])

    def nodes(self, name=None, role=None, only_showing=True):
        found = []
        for node in walk(self.app):
            if name is not None and node.name != name:
                continue
            if role is not None and node.getRoleName() != role:
                continue
            if only_showing and not showing(node):
                continue
            found.append(node)
        return found

    def node(self, name, role=None, timeout=5.0):
        return wait_for(lambda: (self.nodes(name, role) or [None])[0], timeout=timeout,
                        what=f"a showing control named {name!r}")

    def press(self, name):
        self.node(name).queryAction().doAction(0)
        settle()

    def focused_node(self):
        for node in walk(self.app):
            if focused(node):
                return node
        return None

    def click_paw(self):
        x, y, w, h = self.geometry(self.paw)
        xdo("mousemove", x + w // 2, y + h // 2, "click", "1")
        settle(0.6)

    def open_settings(self):
        """Opens the settings window the way a user does: the popover's more-actions menu, then its
        "settings" row, the last but one (the menu is not on the bus, so by keyboard)."""
        self.click_paw()
        self.press("more actions")
        xdo("key", "Up", "Up", "Return")
        return self.node("mewt settings")

    def stop(self):
        """Ends the app as the desktop does (SIGTERM), keeping its settings to read."""
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def stored(self):
        """The [General] settings in mewt.conf, keys as written."""
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str
        parser.read(os.path.join(self.home, "config", "mewt", "mewt.conf"))
        return dict(parser["General"]) if parser.has_section("General") else {}

    def quit(self):
        self.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.quit()
