"""What a screen reader reads from the popover over the accessibility bus: the start control's
minutes, the durations' values and the session count's text, then, once a timer runs, the
remaining time, the status line, the bars' text and the paw's time; the running time is not told
at every second."""
import json
import re
import time
import unittest

import pyatspi
from gi.repository import GLib

from desktop import Mewt, TOUR_DONE, text_of, value_of, wait_for, walk, showing

TIME = re.compile(r"^\d{1,2}:\d\d$")


def stored(key, value):
    """A setting the app keeps as JSON, in the settings file's form."""
    raw = json.dumps(value, separators=(",", ":")).replace('"', '\\"')
    return f'{key}="@ByteArray({raw})"'


def running_timer(seconds):
    return stored("timerSnapshot", {"version": 1, "draftName": "", "totalDurationSeconds": seconds,
                                    "state": {"kind": "running", "endDate": time.time() + seconds}})


def waiting_plan(ended_ago):
    """A pomodoro plan that finished its first focus `ended_ago` seconds ago and waits."""
    return stored("pomodoroPlan", {
        "id": "reader", "phase": "shortBreak", "phaseDurationSeconds": 300, "isPhaseRunning": False,
        "phaseEndedAt": round(time.time() - ended_ago, 3), "completedBlocks": 1,
        "completedFocusSeconds": 1500, "completedBreakSeconds": 0, "totalFocusSeconds": 3000,
        "isContinuous": False, "configuration": {"focusSeconds": 1500, "shortBreakSeconds": 300,
                                                 "longBreakSeconds": 900, "blocksBeforeLongBreak": 4}})


def labels(node):
    """The showing labels under a node, as their text interface reads them."""
    return [n for n in walk(node) if n.getRoleName() == "label" and showing(n) and text_of(n)]


def labelled_by(node):
    """The texts of the nodes that label `node`, in order."""
    texts = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            texts += [text_of(relation.getTarget(i)) for i in range(relation.getNTargets())]
    return texts


def open_controls(mewt, name):
    """Clicks the paw until the popover's control `name` shows."""
    def shown():
        if not mewt.nodes(name):
            mewt.click_paw()
        return mewt.nodes(name)
    return wait_for(shown, timeout=10, what=f"the popover with {name!r}")[0]


class Reader(unittest.TestCase):
    def test_clock_layout_reads_its_values_and_the_running_time(self):
        settings = "\n".join([TOUR_DONE, "timerIdleLayout=clock", "timerMode=pomodoro"])
        with Mewt(settings) as mewt:
            start = open_controls(mewt, "start one focus session")
            self.assertEqual(text_of(start), "25 minutes")
            self.assertEqual(text_of(mewt.node("edit timer duration")), "25:00")
            focus = mewt.node("focus duration, 25 minutes", role="spin button").queryValue()
            self.assertEqual((focus.currentValue, focus.minimumValue, focus.maximumValue), (25, 1, 180))
            interval = mewt.node("long break interval", role="spin button")
            self.assertEqual(value_of(interval), 4)
            self.assertEqual(text_of(interval), "every 4 focus sessions")

            mewt.press("start one focus session")
            button = open_controls(mewt, "pause focus")
            self.assertTrue(text_of(button).startswith("ends "), text_of(button))
            read = [text_of(n) for n in labels(button)]
            self.assertIn(text_of(button), read)  # the status line is a label too
            self.assertIn("focus 1 of 1", read)
            clock = next(n for n in labels(button) if TIME.match(text_of(n)))
            self.assertEqual(clock.name, text_of(clock))
            # Orca speaks a button's labels before its name: the showing time block labels it.
            self.assertEqual(labelled_by(button), ["focus 1 of 1", text_of(clock), text_of(button)])
            self.assertRegex(text_of(mewt.node("yarn timer progress")), r"^\S+ wound, \S+ remaining$")
            self.assertGreater(mewt.node("yarn timer progress").queryValue().maximumValue, 0)
            paw = mewt.node("mewt timer")
            self.assertRegex(text_of(paw), r" left$")
            self.assertEqual(paw.description, text_of(paw))

            # The time a reader asks for is the newest, but it is not told at every second.
            told = []
            def listen(event):
                told.append((event.source, event.type))
            events = ["object:text-changed", "object:property-change:accessible-name",
                      "object:property-change:accessible-description",
                      "object:property-change:accessible-value"]
            pyatspi.Registry.registerEventListener(listen, *events)
            before = text_of(clock)
            context = GLib.MainContext.default()
            end = time.monotonic() + 2.5
            while time.monotonic() < end:
                context.iteration(False)
                time.sleep(0.02)
            pyatspi.Registry.deregisterEventListener(listen, *events)
            self.assertNotEqual(text_of(clock), before)
            # Two ticks at least went by; a minute's turn may tell a change once, no more.
            repeated = [(source.getRoleName(), source.name, kind) for i, (source, kind) in enumerate(told)
                        if (source, kind) in told[:i]]
            self.assertEqual(repeated, [])

    def test_zen_bar_reads_its_text(self):
        with Mewt("\n".join([TOUR_DONE, "isZenModeEnabled=true", running_timer(600)])) as mewt:
            button = open_controls(mewt, "pause timer")
            self.assertTrue(any(TIME.match(text_of(n)) for n in labels(button)))
            self.assertRegex(text_of(mewt.node("timer progress")), r"^\S+ elapsed, \S+ remaining$")

    def test_waiting_plan_reads_its_overdue_time(self):
        with Mewt("\n".join([TOUR_DONE, "timerMode=pomodoro", waiting_plan(10)])) as mewt:
            open_controls(mewt, "start break")
            read = [text_of(n) for n in labels(mewt.app)]
            self.assertIn("next: short break", read)
            self.assertTrue(any(re.match(r"^\u2212\d+:\d\d$", text) for text in read), read)
            self.assertRegex(text_of(mewt.node("mewt timer")), r"^phase ended \d+:\d\d ago$")


if __name__ == "__main__":
    unittest.main()
