#!/usr/bin/env python3
"""Measures mewt beside the bare Qt window (bench/BareWindow.cpp) under one private Xvfb in one
run: launch to the first painted window, resident memory, wake-ups with the ending cue up and the
pointer still, and resident memory across 30 pulls. These machines are noisy: read the ratios.

usage: dbus-run-session -- bench/measure_desktop.py [build-dir]
(without a session bus Qt's D-Bus tries to start one, which alone costs mewt ~100 ms at launch)
"""
import glob
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
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


def environment(display, extra=None, snapshot_end=None):
    config = tempfile.mkdtemp(prefix="mewt-measure-config-")
    runtime = tempfile.mkdtemp(prefix="mewt-measure-run-")
    os.chmod(runtime, 0o700)
    if snapshot_end is not None:
        os.makedirs(os.path.join(config, "mewt"))
        snapshot = ('{\\"version\\":1,\\"state\\":{\\"kind\\":\\"running\\",\\"endDate\\":%.3f},'
                    '\\"draftName\\":\\"\\",\\"totalDurationSeconds\\":90}' % snapshot_end)
        with open(os.path.join(config, "mewt", "mewt.conf"), "w") as conf:
            conf.write('[General]\ntimerSnapshot="@ByteArray(%s)"\n' % snapshot)
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


def launch_times(display, rounds):
    times = {"bare": [], "mewt": []}
    for _ in range(rounds):
        for name, program in (("bare", BARE), ("mewt", MEWT)):
            pid, _, painted = launch(program, environment(display))
            times[name].append(painted)
            time.sleep(0.3)
            stop(pid)
            time.sleep(0.2)
    return times


def resident(display, settle):
    figures = {}
    for name, program in (("bare", BARE), ("mewt", MEWT)):
        pid, _, _ = launch(program, environment(display))
        time.sleep(settle)
        figures[name] = rss_kb(pid)
        stop(pid)
    return figures


def cue_wakeups(display, seconds, reduced):
    figures = {}
    motion = {"MEWT_REDUCED_MOTION": "1" if reduced else "0"}
    pid, _, _ = launch(BARE, environment(display, motion))
    time.sleep(1)
    figures["bare"] = wakeups_per_second(pid, seconds)
    stop(pid)
    # A timer 40 s from its end: the cue is up from the start, with its 60 s lead time.
    pid, _, _ = launch(MEWT, environment(display, motion, snapshot_end=time.time() + seconds + 40))
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


def main():
    for program in (MEWT, BARE, TIMER):
        if not os.access(program, os.X_OK):
            sys.exit("build first: missing %s" % program)
    server, display = start_display()
    try:
        times = launch_times(display, 7)
        bare, mewt = statistics.median(times["bare"]), statistics.median(times["mewt"])
        print("launch to first paint, median of 7: bare %.1f ms, mewt %.1f ms, ratio %.2f"
              % (bare, mewt, mewt / bare))
        memory = resident(display, 3)
        print("resident memory 3 s after launch: bare %.1f MB, mewt %.1f MB"
              % (memory["bare"] / 1024, memory["mewt"] / 1024))
        for reduced in (True, False):
            wakeups = cue_wakeups(display, 10, reduced)
            print("wake-ups a second (GUI thread / all threads), cue up, pointer still, reduced motion %s:"
                  " bare %.1f / %.1f, mewt %.1f / %.1f" % (("on" if reduced else "off",) + wakeups["bare"]
                                                          + wakeups["mewt"]))
        before, first, after = pull_memory(display, 30)
        print("resident memory across pulls: before %.1f MB, after the first %.1f MB, after 30 %.1f MB"
              % (before / 1024, first / 1024, after / 1024))
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
