"""Drives mewt on the private desktop that session.sh made: its windows through xdotool and xprop,
its controls over the accessibility bus as a screen reader does."""
import configparser
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

import pyatspi
from Xlib import X
from Xlib.display import Display

APP = os.environ.get("MEWT_BIN", "")
WM = os.environ.get("MEWT_TEST_WM", "none")
# The tour's version that counts as seen, so a test starts on the popover unless it asks for the tour.
TOUR_DONE = "onboardingVersion=3"


def run(*args, check=True, timeout=None):
    return subprocess.run(args, check=check, capture_output=True, text=True, timeout=timeout).stdout


def xdo(*args):
    return run("xdotool", *map(str, args))


# Generous: a machine of two cores running every desktop test at once takes seconds at times.
def wait_for(predicate, timeout=15.0, step=0.05, what="condition"):
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
    width, height = xdo("getdisplaygeometry").split()
    return int(width), int(height)


def xprop(window, prop):
    """`prop` of `window`, or of the root window for None."""
    return run("xprop", *(["-root"] if window is None else ["-id", str(window)]), prop, check=False)


_display = None


def display():
    """Our own connection to the X server, for what the command-line tools do not tell."""
    global _display
    _display = _display or Display()
    return _display


def selection_owned(name):
    return display().get_selection_owner(display().intern_atom(name)) != X.NONE


def pixels(x, y, width, height):
    """What the screen shows in that rectangle: rows of (red, green, blue)."""
    data = display().screen().root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
    # 32 bits a pixel, blue first.
    return [[(data[i + 2], data[i + 1], data[i]) for i in range(row * width * 4, (row + 1) * width * 4, 4)]
            for row in range(height)]


def geometry(window):
    fields = dict(line.split("=", 1) for line in xdo("getwindowgeometry", "--shell", window).split())
    return int(fields["X"]), int(fields["Y"]), int(fields["WIDTH"]), int(fields["HEIGHT"])


def inside(x, y, rect):
    left, top, width, height = rect
    return left <= x < left + width and top <= y < top + height


def cardinals(window, prop):
    out = xprop(window, prop)
    return [int(v) for v in out.split("=", 1)[1].split(",")] if "=" in out else []


def find_windows(name):
    """Shown windows of any client whose title matches `name`, a regular expression."""
    return [int(w) for w in run("xdotool", "search", "--onlyvisible", "--name", name, check=False).split()]


def override_redirect(window):
    return "Override Redirect State: yes" in run("xwininfo", "-id", str(window))


def activate(window):
    """Gives `window` the keyboard as a click would: through the window manager if one runs."""
    xdo("windowfocus" if WM == "none" else "windowactivate", "--sync", window)


def root_children():
    """The root's children (frames, and windows nobody manages), top-most first."""
    return [int(line.split()[0], 16) for line in run("xwininfo", "-root", "-children").splitlines()
            if line.strip().startswith("0x")]


def frame_of(window, order=None):
    """The root's child that holds `window`: the manager's frame around it, or the window itself."""
    order = order or root_children()
    while window not in order:
        window = int(run("xwininfo", "-id", str(window), "-tree").split("Parent window id: ")[1].split()[0], 16)
    return window


def outer(window):
    """`window`'s outer rectangle on the screen as the X server has it: its frame's, when managed."""
    info = run("xwininfo", "-id", str(frame_of(window)))
    return tuple(int(re.search(key + r":\s+(-?\d+)", info).group(1)) for key in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def above(upper, lower):
    """Whether `upper` is stacked above `lower`, comparing the root's children (frames) that hold them."""
    order = root_children()
    return order.index(frame_of(upper, order)) < order.index(frame_of(lower, order))


def setting(key, value):
    """A setting the app keeps as JSON, in the settings file's form."""
    raw = json.dumps(value, separators=(",", ":")).replace('"', '\\"')
    return f'{key}="@ByteArray({raw})"'


def running_timer(seconds, total=None):
    return setting("timerSnapshot", {"version": 1, "draftName": "", "totalDurationSeconds": total or seconds,
                                     "state": {"kind": "running", "endDate": round(time.time() + seconds, 3)}})


class Compositor:
    """A compositing manager of its own (xcompmgr) on the test's display, until it is stopped."""

    def __init__(self):
        if not shutil.which("xcompmgr"):
            raise unittest.SkipTest("xcompmgr is missing; scripts/install-deps.sh installs it")
        self.process = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(composited, what="the compositing manager")

    def stop(self):
        self.process.terminate()
        self.process.wait()
        wait_for(lambda: not composited(), what="the compositing manager gone")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.stop()


def composited():
    """Whether a compositing manager holds the screen's selection, as the app asks."""
    return selection_owned("_NET_WM_CM_S0")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def shown(node):
    """`node` and the showing nodes under it; a hidden node's children are hidden too, so unvisited."""
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and showing(child):
            yield from shown(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def selected(node):
    return node.getState().contains(pyatspi.STATE_SELECTED)


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


def centre(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(node):
    xdo("mousemove", *centre(node), "click", "1")
    settle(0.5)


def drag(x, y, dx, dy, steps):
    """Presses at `x`, `y` and moves by `dx`, `dy` `steps` times, as a hand does; the button stays down."""
    xdo("mousemove", x, y, "mousedown", "1")
    for step in range(1, steps + 1):
        xdo("mousemove", x + dx * step, y + dy * step)
        settle(0.05)


def start_manager(*args):
    """Starts the session's window manager: one session.sh left to the test, or with "--replace" a successor."""
    return subprocess.Popen(os.environ["MEWT_TEST_WM_COMMAND"].split() + list(args),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Other:
    """Another program's window (xmessage), found by its own name."""

    def __init__(self, name, place=None):
        args = ["xmessage", "-name", name] + (["-geometry", place] if place else []) + [name]
        self.process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.id = wait_for(lambda: find_windows(f"^{name}$"), what=name)[0]
        settle()

    def frame(self):
        """Its outer rectangle, title bar included."""
        x, y, w, h = geometry(self.id)
        left, right, top, bottom = cardinals(self.id, "_NET_FRAME_EXTENTS") or [0, 0, 0, 0]
        return x - left, y - top, w + left + right, h + top + bottom

    def state(self, change):
        run("wmctrl", "-i", "-r", str(self.id), "-b", change)
        settle(0.6)

    def close(self):
        self.process.kill()
        self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


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
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.home, "config"), **(env or {}))
        self.process = subprocess.Popen([APP, *args], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.app = wait_for(self._find_app, what="mewt on the accessibility bus")
        # Found by the paw's own control: a window shown at start (the ending cue) may be listed first.
        x, y = centre(self.node("mewt timer"))
        self.paw = wait_for(lambda: next((w for w in self.windows() if inside(x, y, geometry(w))), None),
                            what="the paw's window")

    def _find_app(self):
        if self.process.poll() is not None:
            raise AssertionError(f"mewt ended with {self.process.returncode}: {self.process.stderr.read()[-2000:]!r}")
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
        return geometry(window)

    def nodes(self, name=None, role=None, only_showing=True):
        return [node for node in (shown(self.app) if only_showing else walk(self.app))
                if (name is None or node.name == name) and (role is None or node.getRoleName() == role)
                and (not only_showing or showing(node))]

    def node(self, name, role=None, timeout=5.0):
        return wait_for(lambda: (self.nodes(name, role) or [None])[0], timeout=timeout,
                        what=f"a showing {role or 'control'} named {name!r}")

    def press(self, name):
        self.node(name).queryAction().doAction(0)
        settle()

    def focused_node(self):
        return next((node for node in shown(self.app) if focused(node)), None)

    def click_paw(self):
        x, y, w, h = self.geometry(self.paw)
        xdo("mousemove", x + w // 2, y + h // 2, "click", "1")
        settle(0.6)

    def open_controls(self, name):
        """Clicks the paw until the popover's control `name` shows."""
        return wait_for(lambda: self.nodes(name) or self.click_paw(), timeout=10, what=f"the popover with {name!r}")[0]

    def menu(self, from_bottom):
        """Picks the popover's more-actions row `from_bottom` rows above its last, quit (the menu is
        not on the bus, so by keyboard)."""
        self.press("more actions")
        xdo("key", *["Up"] * (from_bottom + 1), "Return")

    def open_settings(self):
        self.click_paw()
        self.menu(1)
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

    def timer(self):
        """The stored timer's state: its kind and endDate or remainingSeconds."""
        raw = self.stored().get("timerSnapshot", "")
        return json.loads(raw[raw.find("{"):raw.rfind("}") + 1].replace('\\"', '"'))["state"] if raw else {}

    def quit(self):
        self.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.quit()
