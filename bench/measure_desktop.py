#!/usr/bin/env python3
"""Measures mewt beside the bare Qt window (bench/BareWindow.cpp) under one private Xvfb in one
run: launch to the first painted window, resident memory, wake-ups with the ending cue up and the
pointer still (with motion, against a goal), resident memory across 30 pulls, wake-ups with the
popover open on a running timer and while the welcome tour shows (beside the bare window with a
label that ticks once a second), private memory at idle and after the settings window was opened and
closed, and press-to-sound times of the first click after launch and of
later ones on a private PulseAudio null sink: from the press sent to the X server to the sink
playing the sound's first sample, found in a recording of the sink's monitor by
cross-correlation with the sound as rendered, with whether it arrived whole (`--also` builds are
measured there too). These machines are noisy: read the ratios.

usage: dbus-run-session -- bench/measure_desktop.py [build-dir] [--rounds N] [--launch-only]
                                                    [--also path/to/another/mewt ...]
                                                    [--only launch,memory,cue,pulls,popover,tour,sound,settings]
(without a session bus Qt's D-Bus tries to start one, which alone costs mewt ~100 ms at launch)

Launch times: one discarded warm-up round, then N rounds in which every program starts once, in
an order that rotates from round to round (so drift and the X server's state after the previous
client favour none of them), each after the previous one has quit and the server has had a pause.
Printed: the medians, the middle half (quartiles), and the ratio to the bare window both of the
medians and as the median of each round's own ratio. `--also` adds other builds of mewt (say, the
one before a change) to the same rounds.
"""
import argparse
import array
import ctypes
import glob
import math
import os
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import wave

ARGUMENTS = argparse.ArgumentParser(description="mewt beside the bare Qt window")
ARGUMENTS.add_argument("build", nargs="?", default="build")
ARGUMENTS.add_argument("--rounds", type=int, default=21)
ARGUMENTS.add_argument("--launch-only", action="store_true")
ARGUMENTS.add_argument("--also", action="append", default=[], metavar="MEWT")
ARGUMENTS.add_argument("--only", default="launch,memory,cue,pulls,popover,tour,sound,settings",
                       help="the measurements to run, separated by commas")
OPTIONS = ARGUMENTS.parse_args()
BUILD = os.path.abspath(OPTIONS.build)
MEWT = os.path.join(BUILD, "bin", "mewt")
BARE = os.path.join(BUILD, "bin", "bare_window")
TIMER = os.path.join(BUILD, "bin", "launch_timer")
WIDTH, HEIGHT = 1600, 900


def start_display():
    for attempt in range(50):
        number = 400 + (os.getpid() + attempt * 17) % 4000
        if os.path.exists("/tmp/.X11-unix/X%d" % number):
            continue
        server = subprocess.Popen(["Xvfb", ":%d" % number, "-nolisten", "tcp", "-screen", "0",
                                   "%dx%dx24" % (WIDTH, HEIGHT)],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists("/tmp/.X11-unix/X%d" % number):
                return server, ":%d" % number
            if server.poll() is not None:
                break
            time.sleep(0.05)
        server.terminate()
    sys.exit("no Xvfb")


def environment(display, extra=None, snapshot_end=None, tour_seen=False, snapshot_total=None, settings=()):
    config = tempfile.mkdtemp(prefix="mewt-measure-config-")
    runtime = tempfile.mkdtemp(prefix="mewt-measure-run-")
    os.chmod(runtime, 0o700)
    lines = list(settings)
    if tour_seen:
        lines.append("onboardingVersion=3")
    if snapshot_end is not None:
        remaining = snapshot_end - time.time()
        if snapshot_total is None:
            snapshot_total = 90 if remaining < 90 else remaining + 60
        snapshot = ('{\\"version\\":1,\\"state\\":{\\"kind\\":\\"running\\",\\"endDate\\":%.3f},'
                    '\\"draftName\\":\\"\\",\\"totalDurationSeconds\\":%d}'
                    % (snapshot_end, snapshot_total))
        lines.append('timerSnapshot="@ByteArray(%s)"' % snapshot)
    if lines:
        os.makedirs(os.path.join(config, "mewt"))
        with open(os.path.join(config, "mewt", "mewt.conf"), "w") as conf:
            conf.write("[General]\n" + "\n".join(lines) + "\n")
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config,
               XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8")
    env.update(extra or {})
    return env


def launch(program, env):
    out = subprocess.run([TIMER, program], env=env, capture_output=True, text=True, timeout=30).stdout
    pid, mapped, painted = out.split()
    return int(pid), float(mapped), float(painted)


def stop(pid):
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    for _ in range(100):
        if not os.path.exists("/proc/%d" % pid):
            return
        time.sleep(0.05)
    os.kill(pid, signal.SIGKILL)


def rss_kb(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def private_kb(pid):
    """Memory of the process's own, in kB: anonymous (the heap and other pages no file backs: what
    the process alone costs), and all private pages (Private_Clean + Private_Dirty: those with the
    code and font files read in that no other process maps at the moment, which moves with the
    machine's other Qt programs, and a binary just linked, whose pages are still dirty)."""
    figures = {}
    with open("/proc/%d/smaps_rollup" % pid) as rollup:
        for line in rollup:
            key = line.split(":")[0]
            if key in ("Anonymous", "Private_Clean", "Private_Dirty"):
                figures[key] = int(line.split()[1])
    return figures["Anonymous"], figures["Private_Dirty"] + figures["Private_Clean"]


def wakeups(pid):
    """Voluntary context switches (a thread slept and was woken), of the main thread and of all."""
    main = total = 0
    for path in glob.glob("/proc/%d/task/*/status" % pid):
        try:
            with open(path) as status:
                for line in status:
                    if line.startswith("voluntary_ctxt_switches"):
                        count = int(line.split()[1])
                        total += count
                        if path.endswith("/%d/status" % pid):
                            main += count
        except FileNotFoundError:
            pass
    return main, total


def wakeups_per_second(pid, seconds):
    main, total = wakeups(pid)
    time.sleep(seconds)
    main_after, total_after = wakeups(pid)
    return (main_after - main) / seconds, (total_after - total) / seconds


def xdotool(display, *arguments):
    subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=display), check=True)


def launch_times(display, programs, rounds):
    """Launch to first paint, in ms, per program: a list with one figure per round."""
    times = {name: [] for name, _ in programs}
    for round_index in range(rounds + 1):
        shift = round_index % len(programs)
        for name, program in programs[shift:] + programs[:shift]:
            pid, _, painted = launch(program, environment(display))
            if round_index > 0:
                times[name].append(painted)
            time.sleep(0.3)
            stop(pid)
            time.sleep(0.2)
    return times


def quartiles(values):
    low, _, high = statistics.quantiles(values, n=4)
    return low, high


def report_launch(times):
    bare = times["bare"]
    print("launch to first paint, %d rounds after a warm-up (median, middle half, ratio of medians,"
          " median of the rounds' ratios):" % len(bare))
    for name, values in times.items():
        low, high = quartiles(values)
        line = "  %-10s %6.1f ms  (%.1f-%.1f)" % (name, statistics.median(values), low, high)
        if name != "bare":
            per_round = [value / floor for value, floor in zip(values, bare)]
            line += "  ratio %.2f, %.2f" % (statistics.median(values) / statistics.median(bare),
                                            statistics.median(per_round))
        print(line)


def load_average():
    with open("/proc/loadavg") as load:
        return " ".join(load.read().split()[:3])


def resident(display, settle):
    figures = {}
    for name, program in (("bare", BARE), ("mewt", MEWT)):
        pid, _, _ = launch(program, environment(display))
        time.sleep(settle)
        figures[name] = rss_kb(pid)
        stop(pid)
    return figures


# The cue moves its paw less than a pixel a second and rolls one digit a second: with motion it may
# cost no more than this many wake-ups a second of the GUI thread.
CUE_WAKEUP_GOAL = 20


def cue_wakeups(display, seconds, reduced):
    figures = {}
    motion = {"MEWT_REDUCED_MOTION": "1" if reduced else "0"}
    pid, _, _ = launch(BARE, environment(display, motion))
    time.sleep(1)
    figures["bare"] = wakeups_per_second(pid, seconds)
    stop(pid)
    # A timer 40 s from its end: the cue is up from the start, with its 60 s lead time; the welcome
    # tour seen, so its demos do not count here.
    pid, _, _ = launch(MEWT, environment(display, motion, snapshot_end=time.time() + seconds + 40, tour_seen=True))
    time.sleep(2)
    figures["mewt"] = wakeups_per_second(pid, seconds)
    stop(pid)
    return figures


def pull_memory(display, pulls):
    pid, _, _ = launch(MEWT, environment(display, {"MEWT_REDUCED_MOTION": "1"}))
    time.sleep(2)
    paw = (WIDTH - 6 - 12, 6 + 12)
    before = rss_kb(pid)
    after_first = None
    for pull in range(pulls):
        xdotool(display, "mousemove", str(paw[0]), str(paw[1]), "mousedown", "1")
        for step in range(1, 9):
            xdotool(display, "mousemove", str(paw[0] - step * 4), str(paw[1] + step * 40))
            time.sleep(0.02)
        xdotool(display, "mouseup", "1")
        time.sleep(0.6)
        if pull == 0:
            after_first = rss_kb(pid)
    time.sleep(2)
    after = rss_kb(pid)
    stop(pid)
    return before, after_first, after


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def thread_wakeups(pid):
    counts = {}
    for path in glob.glob("/proc/%d/task/*/status" % pid):
        try:
            with open(path) as status:
                for line in status:
                    if line.startswith("voluntary_ctxt_switches"):
                        counts[path.split("/")[-2]] = int(line.split()[1])
        except FileNotFoundError:
            pass
    return counts


def activity(pid, seconds):
    """Wake-ups a second of the GUI thread and of all threads (a thread that ends meanwhile counts
    until its end is unknown, so not at all), and the share of one processor."""
    before = thread_wakeups(pid)
    cpu = cpu_seconds(pid)
    time.sleep(seconds)
    after = thread_wakeups(pid)
    used = cpu_seconds(pid) - cpu
    main = after.get(str(pid), 0) - before.get(str(pid), 0)
    total = sum(count - before.get(thread, 0) for thread, count in after.items())
    return main / seconds, total / seconds, 100.0 * used / seconds


def ticking_floor(display, seconds):
    pid, _, _ = launch(BARE, environment(display, {"BARE_WINDOW_TICKS": "1"}))
    time.sleep(1)
    figures = activity(pid, seconds)
    stop(pid)
    return figures


def largest_window(display, pid):
    """x, y, width, height of the program's largest mapped window short of the screen (the pull
    overlay spans it)."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), ""],
                           env=dict(os.environ, DISPLAY=display), capture_output=True, text=True).stdout
    best = None
    for window in found.split():
        shape = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                               env=dict(os.environ, DISPLAY=display), capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in shape.split())
        box = tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))
        if box[2] >= WIDTH or box[3] >= HEIGHT:
            continue
        if best is None or box[2] * box[3] > best[2] * best[3]:
            best = box
    return best


def popover_activity(display, seconds, reduced, minutes):
    """The popover open on a timer of `minutes` just started, the pointer resting on its card. The
    yarn winds one pixel in about 5 s of a 25-minute timer and several a second of a 1-minute one."""
    motion = {"MEWT_REDUCED_MOTION": "1" if reduced else "0"}
    length = minutes * 60
    # The ending cue waits for the last 15 s, after the measurement.
    pid, _, _ = launch(MEWT, environment(display, motion, snapshot_end=time.time() + length, tour_seen=True,
                                         snapshot_total=length, settings=["endingCueLeadTimeSeconds=15"]))
    time.sleep(2)
    xdotool(display, "mousemove", str(WIDTH - 6 - 12), str(6 + 12), "click", "1")
    time.sleep(1)
    x, y, width, height = largest_window(display, pid)
    xdotool(display, "mousemove", str(x + width * 3 // 4), str(y + height // 2))
    time.sleep(1)
    figures = activity(pid, seconds)
    stop(pid)
    xdotool(display, "mousemove", str(WIDTH // 2), str(HEIGHT // 2))
    return figures


def tour_activity(display, seconds):
    """The welcome tour as a first launch shows it, the pointer resting on it: each of its four
    steps (Return goes to the next)."""
    pid, _, _ = launch(MEWT, environment(display, {"MEWT_REDUCED_MOTION": "0"}))
    time.sleep(3)
    x, y, width, height = largest_window(display, pid)
    xdotool(display, "mousemove", str(x + width // 2), str(y + 8))
    steps = []
    for step in range(4):
        if step:
            xdotool(display, "key", "Return")
        time.sleep(1)
        steps.append(activity(pid, seconds))
    stop(pid)
    xdotool(display, "mousemove", str(WIDTH // 2), str(HEIGHT // 2))
    return steps


class SoundServer:
    """A private PulseAudio with one null sink, and a recorder on its monitor that keeps every
    sample with the time each chunk came, so that a sample's place in the recording gives the time
    the sink played it."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="mewt-measure-pulse-")
        self.socket = os.path.join(self.folder, "native")
        env = dict(os.environ, XDG_RUNTIME_DIR=self.folder, HOME=self.folder,
                   PULSE_RUNTIME_PATH=self.folder, PULSE_STATE_PATH=self.folder)
        self.daemon = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--system=false", "--disable-shm=yes", "--realtime=no", "--log-target=stderr",
             "--load=module-null-sink sink_name=mewt_bench rate=48000 channels=1",
             "--load=module-native-protocol-unix socket=%s auth-anonymous=1" % self.socket],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(200):
            if os.path.exists(self.socket):
                break
            time.sleep(0.025)
        self.address = "unix:" + self.socket
        # No lower latency than mewt's own stream asks for, so the sink runs as mewt alone sets it.
        self.recorder = subprocess.Popen(
            ["parec", "--server=" + self.address, "--device=mewt_bench.monitor", "--raw",
             "--format=float32le", "--rate=48000", "--channels=1", "--latency-msec=40"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.lock = threading.Lock()
        self.samples = array.array("f")
        self.pending = b""
        self.chunks = []  # (arrival, samples received by then)
        self.latency = 0.0
        threading.Thread(target=self.listen, daemon=True).start()

    def listen(self):
        while True:
            chunk = os.read(self.recorder.stdout.fileno(), 65536)
            now = time.monotonic()
            if not chunk:
                return
            with self.lock:
                data = self.pending + chunk
                whole = len(data) - len(data) % 4
                self.samples.frombytes(data[:whole])
                self.pending = data[whole:]
                self.chunks.append((now, len(self.samples)))

    def offset(self, close):
        """Our clock's time at which the sink plays sample 0, judged by the chunks that are `close`
        (arrival, samples by then). The null sink renders up to its latency ahead of playing; a
        chunk comes no sooner than its last sample was rendered, so the earliest of them, plus that
        latency, ties the sample clock to ours. Only chunks close by count: the monitor's sample
        clock drifts from ours by a few ms a second, and a sink renders far ahead for a while after
        it starts."""
        with self.lock:
            return self.latency + min(arrival - count / RATE for arrival, count in self.chunks
                                      if close(arrival, count))

    def note_latency(self):
        """The sink's latency as the streams on it have set it."""
        listing = subprocess.run(["pactl", "--server=" + self.address, "list", "sinks"],
                                 capture_output=True, text=True).stdout
        found = re.search(r"Latency: \d+ usec, configured (\d+) usec", listing)
        self.latency = int(found.group(1)) / 1e6 if found else 0.0

    def time_of(self, index):
        return self.offset(lambda arrival, count: abs(count - index) < 0.25 * RATE) + index / RATE

    def index_at(self, moment):
        return max(0, int((moment - self.offset(lambda arrival, count: abs(arrival - moment) < 0.25)) * RATE))

    def recording(self):
        with self.lock:
            return self.samples[:]

    def sink_inputs(self):
        """(count, how many of them are corked) of the streams on the server."""
        listing = subprocess.run(["pactl", "--server=" + self.address, "list", "sink-inputs"],
                                 capture_output=True, text=True).stdout
        return listing.count("Sink Input #"), listing.count("Corked: yes")

    def close(self):
        self.recorder.terminate()
        self.daemon.terminate()
        self.daemon.wait()


RATE = 48000


def trills():
    """The paw's trills as mewt plays them at full volume: mono 48 kHz, 16 bits."""
    sounds = []
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds", "trill")
    for path in sorted(glob.glob(os.path.join(folder, "*.wav"))):
        with wave.open(path) as file:
            frames = array.array("h", file.readframes(file.getnframes()))
        sounds.append(array.array("f", (value / 32768.0 for value in frames)))
    return sounds


def peak(samples):
    return max((abs(value) for value in samples), default=0.0)


AUDIBLE = 1e-3  # -60 dBFS


def first_audible(samples):
    return next((index for index, value in enumerate(samples) if abs(value) > AUDIBLE), len(samples))


def arrival(recording, since, sounds):
    """Where the first sound after sample `since` begins in the recording, found by the best
    normalised cross-correlation with any of `sounds` over its first 60 ms (a start lost at the sink
    still leaves the rest to align, and that long a stretch keeps a tone from aligning a period
    off); how much later than the rendered sound its first sample above -60 dBFS comes there, in
    ms, and its peak against the rendered one, in dB. None when nothing sounded."""
    heard = next((index for index in range(since, len(recording)) if abs(recording[index]) > AUDIBLE), None)
    if heard is None:
        return None
    span = int(0.060 * RATE)
    best = (-2.0, None, None)
    for sound in sounds:
        reference = sound[:span]
        energy = sum(value * value for value in reference)
        for lag in range(max(0, heard - int(0.015 * RATE)), heard + 48):
            segment = recording[lag:lag + span]
            power = sum(value * value for value in segment)
            if power <= 0:
                continue
            score = sum(a * b for a, b in zip(segment, reference)) / math.sqrt(energy * power)
            if score > best[0]:
                best = (score, lag, sound)
    _, lag, sound = best
    if lag is None:
        return None
    played = recording[lag:lag + len(sound)]
    shift = (first_audible(played) - first_audible(sound)) / RATE * 1000
    loss = 20 * math.log10(max(peak(played), 1e-9) / peak(sound))
    return lag, shift, loss


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


class Pointer:
    """XTest on a connection of our own, so that a press is timed without starting a process; and
    a window manager's close request, for a display that runs none."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XInternAtom.restype = ctypes.c_ulong
        self.x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                        ctypes.POINTER(XEvent)]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                    ctypes.c_int, ctypes.c_ulong]
        self.xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                    ctypes.c_ulong]
        self.connection = self.x11.XOpenDisplay(display.encode())

    def move(self, x, y):
        self.xtest.XTestFakeMotionEvent(self.connection, -1, x, y, 0)
        self.x11.XFlush(self.connection)

    def button(self, down):
        self.xtest.XTestFakeButtonEvent(self.connection, 1, 1 if down else 0, 0)
        self.x11.XFlush(self.connection)
        return time.monotonic()

    def ask_to_close(self, window):
        """WM_DELETE_WINDOW, as a window manager's close button sends it."""
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = self.x11.XInternAtom(self.connection, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = self.x11.XInternAtom(self.connection, b"WM_DELETE_WINDOW", 0)
        self.x11.XSendEvent(self.connection, window, 0, 0, ctypes.byref(event))
        self.x11.XFlush(self.connection)

    def close(self):
        self.x11.XCloseDisplay(self.connection)


def click_sounds(display, launches, later, program=None):
    """Press to sound on the paw (its trill), the first press after launch and later ones: from
    the press sent to the X server to the sink playing the trill's first sample, and whether it
    came whole; mewt's wake-ups a second while idle with the server up, and its streams on the server
    then."""
    sounds = trills()
    pointer = Pointer(display)
    server = SoundServer()
    first, others, idle = [], [], []
    lost = []
    streams = None
    try:
        for _ in range(launches):
            env = environment(display, {"PULSE_SERVER": server.address}, tour_seen=True)
            pid, _, _ = launch(program or MEWT, env)
            time.sleep(2)
            idle.append(wakeups_per_second(pid, 5)[1])
            streams = server.sink_inputs()
            server.note_latency()
            pointer.move(WIDTH - 6 - 12, 6 + 12)
            time.sleep(0.3)
            presses = []
            for press in range(later + 1):
                presses.append(pointer.button(True))
                time.sleep(0.05)
                pointer.button(False)
                # The popover opens and closes with each click; the stream corks once idle.
                time.sleep(1.5)
            stop(pid)
            recording = server.recording()
            for press, pressed in enumerate(presses):
                found = arrival(recording, server.index_at(pressed - 0.005), sounds)
                if found is None:
                    lost.append("no sound")
                    continue
                lag, shift, loss = found
                (first if press == 0 else others).append((server.time_of(lag) - pressed) * 1000.0)
                # Whole: from its first millisecond, and as loud as rendered.
                if abs(shift) > 1.0 or abs(loss) > 1.0:
                    lost.append("%s (%.1f ms late, %.1f dB)" % ("first" if press == 0 else "later", shift, loss))
    finally:
        pointer.close()
        server.close()
    return first, others, idle, streams, lost


def settings_memory(display, program):
    """Private memory (kB) 3 s after launch, with the settings window open (opened from the popover's
    menu), 3 s after it was closed, and the same after a second opening and closing."""
    pointer = Pointer(display)
    pid, _, _ = launch(program, environment(display, tour_seen=True))
    try:
        time.sleep(3)
        figures = [private_kb(pid)]
        for _ in range(2):
            xdotool(display, "mousemove", str(WIDTH - 6 - 12), str(6 + 12), "click", "1")
            time.sleep(1)
            x, y, width, _ = largest_window(display, pid)
            # The more-actions button, at the header's end; "settings" is the row above "quit".
            xdotool(display, "mousemove", str(x + width - 18), str(y + 15), "click", "1")
            time.sleep(0.5)
            xdotool(display, "key", "Up", "Up", "Return")
            time.sleep(2)
            shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^mewt settings$"],
                                   env=dict(os.environ, DISPLAY=display), capture_output=True, text=True).stdout
            if not shown.split():
                sys.exit("the settings window did not open")
            figures.append(private_kb(pid))
            pointer.ask_to_close(int(shown.split()[0]))
            time.sleep(3)
            figures.append(private_kb(pid))
    finally:
        pointer.close()
        stop(pid)
    return figures


def bare_private(display):
    pid, _, _ = launch(BARE, environment(display))
    time.sleep(3)
    figure = private_kb(pid)
    stop(pid)
    return figure


def main():
    others = [os.path.abspath(path) for path in OPTIONS.also]
    also = [("also %d" % (index + 1), path) for index, path in enumerate(others)]
    for program in [MEWT, BARE, TIMER] + others:
        if not os.access(program, os.X_OK):
            sys.exit("build first: missing %s" % program)
    wanted = set(OPTIONS.only.split(","))
    if OPTIONS.launch_only:
        wanted = {"launch"}
    server, display = start_display()
    try:
        if "launch" in wanted:
            programs = [("bare", BARE), ("mewt", MEWT)] + also
            for name, path in also:
                print("%s: %s" % (name, path))
            print("load average before: %s (%d processors)" % (load_average(), os.cpu_count()))
            report_launch(launch_times(display, programs, OPTIONS.rounds))
            print("load average after: %s" % load_average())
        if "memory" in wanted:
            memory = resident(display, 3)
            print("resident memory 3 s after launch: bare %.1f MB, mewt %.1f MB"
                  % (memory["bare"] / 1024, memory["mewt"] / 1024))
        if "cue" in wanted:
            for reduced in (True, False):
                wakeups = cue_wakeups(display, 10, reduced)
                line = ("wake-ups a second (GUI thread / all threads), cue up, pointer still, reduced motion %s:"
                        " bare %.1f / %.1f, mewt %.1f / %.1f" % (("on" if reduced else "off",) + wakeups["bare"]
                                                                + wakeups["mewt"]))
                if not reduced:
                    main_thread = wakeups["mewt"][0]
                    line += "; goal at most %d on the GUI thread: %s" % (
                        CUE_WAKEUP_GOAL, "met" if main_thread <= CUE_WAKEUP_GOAL else "MISSED")
                print(line)
        if "pulls" in wanted:
            before, first, after = pull_memory(display, 30)
            print("resident memory across pulls: before %.1f MB, after the first %.1f MB, after 30 %.1f MB"
                  % (before / 1024, first / 1024, after / 1024))
        if wanted & {"popover", "tour"}:
            floor = ticking_floor(display, 10)
            print("floor, the bare window with a label ticking once a second: %.1f / %.1f wake-ups a second"
                  " (GUI thread / all threads), %.2f %% of a processor" % floor)
        if "popover" in wanted:
            for minutes, reduced in ((25, True), (25, False), (1, False)):
                print("popover open on a running %d-minute timer, pointer resting on it, reduced motion %s:"
                      " %.1f / %.1f wake-ups a second, %.2f %% of a processor"
                      % ((minutes, "on" if reduced else "off") + popover_activity(display, 10, reduced, minutes)))
        if "tour" in wanted:
            for step, figures in enumerate(tour_activity(display, 10)):
                print("welcome tour, step %d: %.1f / %.1f wake-ups a second, %.2f %% of a processor"
                      % ((step + 1,) + figures))
        if "settings" in wanted:
            def mib(figure):
                return "%.1f (%.1f)" % (figure[0] / 1024, figure[1] / 1024)
            print("private memory, MiB: anonymous (all private); the bare window %s" % mib(bare_private(display)))
            for name, program in [("mewt", MEWT)] + also:
                idle, opened, closed, reopened, closed_again = settings_memory(display, program)
                print("  %s: idle %s; settings open %s, closed %s, %+.2f anonymous over idle;"
                      " open again %s, closed %s, %+.2f"
                      % (name, mib(idle), mib(opened), mib(closed), (closed[0] - idle[0]) / 1024,
                         mib(reopened), mib(closed_again), (closed_again[0] - idle[0]) / 1024))
        if "sound" in wanted:
            def summary(values):
                if not values:
                    return "no sound heard"
                return "median %.1f ms, worst %.1f ms (%d)" % (statistics.median(values), max(values), len(values))
            for name, program in [("mewt", MEWT)] + also:
                first, later, idle, streams, lost = click_sounds(display, 5, 4, program)
                print("%s: press on the paw to the null sink playing its trill's first sample, first after"
                      " launch: %s; later: %s" % (name, summary(first), summary(later)))
                print("  sounds that did not arrive whole: %s"
                      % (", ".join(lost) if lost else "none, of %d" % (len(first) + len(later))))
                print("  idle with the server up: %.1f wake-ups a second (all threads, worst of %d launches);"
                      " streams on the server: %d, corked: %d" % ((max(idle), len(idle)) + streams))
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
