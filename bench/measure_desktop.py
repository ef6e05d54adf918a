#!/usr/bin/env python3
"""Measures mewt beside the bare Qt window (bench/BareWindow.cpp) under one private Xvfb in one
run: launch to the first painted window, resident memory, wake-ups with the ending cue up and the
pointer still, and resident memory across 30 pulls. These machines are noisy: read the ratios.

usage: dbus-run-session -- bench/measure_desktop.py [build-dir] [--rounds N] [--launch-only]
                                                    [--also path/to/another/mewt ...]
(without a session bus Qt's D-Bus tries to start one, which alone costs mewt ~100 ms at launch)

Launch times: one discarded warm-up round, then N rounds in which every program starts once, in
an order that rotates from round to round (so drift and the X server's state after the previous
client favour none of them), each after the previous one has quit and the server has had a pause.
Printed: the medians, the middle half (quartiles), and the ratio to the bare window both of the
medians and as the median of each round's own ratio. `--also` adds other builds of mewt (say, the
one before a change) to the same rounds.
"""
import argparse
import glob
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ARGUMENTS = argparse.ArgumentParser(description="mewt beside the bare Qt window")
ARGUMENTS.add_argument("build", nargs="?", default="build")
ARGUMENTS.add_argument("--rounds", type=int, default=21)
ARGUMENTS.add_argument("--launch-only", action="store_true")
ARGUMENTS.add_argument("--also", action="append", default=[], metavar="MEWT")
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
    others = [os.path.abspath(path) for path in OPTIONS.also]
    for program in [MEWT, BARE, TIMER] + others:
        if not os.access(program, os.X_OK):
            sys.exit("build first: missing %s" % program)
    server, display = start_display()
    try:
        programs = [("bare", BARE), ("mewt", MEWT)]
        programs += [("also %d" % (index + 1), path) for index, path in enumerate(others)]
        for index, path in enumerate(others):
            print("also %d: %s" % (index + 1, path))
        print("load average before: %s (%d processors)" % (load_average(), os.cpu_count()))
        report_launch(launch_times(display, programs, OPTIONS.rounds))
        print("load average after: %s" % load_average())
        if OPTIONS.launch_only:
            return
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
