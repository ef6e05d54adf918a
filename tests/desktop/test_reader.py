"""What a screen reader reads and drives over the accessibility bus: the popover's values, texts and
running time (not told at every second), the ending cue, and the settings window: its sidebar,
switches, drop-downs, search, diagram and notices, and what stops showing when the window goes. A
reader's text queries answer at once whatever their offsets, and a call with the wrong arguments
gets an error, never a crash."""
import functools
import re
import time
import unittest

import pyatspi
from gi.repository import Gio, GLib

from desktop import (Mewt, TOUR_DONE, click, run, running_timer, setting, showing, shown, text_of,
                     value_of, wait_for, walk, xdo)

TIME = re.compile(r"^\d{1,2}:\d\d$")


def waiting_plan(ended_ago):
    """A pomodoro plan that finished its first focus `ended_ago` seconds ago and waits."""
    return setting("pomodoroPlan", {
        "id": "reader", "phase": "shortBreak", "phaseDurationSeconds": 300, "isPhaseRunning": False,
        "phaseEndedAt": round(time.time() - ended_ago, 3), "completedBlocks": 1,
        "completedFocusSeconds": 1500, "completedBreakSeconds": 0, "totalFocusSeconds": 3000,
        "isContinuous": False, "configuration": {"focusSeconds": 1500, "shortBreakSeconds": 300,
                                                 "longBreakSeconds": 900, "blocksBeforeLongBreak": 4}})


def labels(node):
    return [text_of(n) for n in shown(node) if n.getRoleName() == "label" and text_of(n)]


def labelled_by(node):
    return [text_of(r.getTarget(i)) for r in node.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]


def toggle(node):
    action = node.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Toggle"))


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def told_within(seconds):
    """The events a listening reader is told of in the next `seconds`: (source, kind)."""
    told = []
    events = ["object:text-changed", "object:property-change:accessible-name",
              "object:property-change:accessible-description", "object:property-change:accessible-value"]

    def listen(event):
        told.append((event.source, event.type))
    pyatspi.Registry.registerEventListener(listen, *events)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.02)
    pyatspi.Registry.deregisterEventListener(listen, *events)
    return told


@functools.cache
def accessibility_bus():
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), 0, 2000).unpack()[0]
    return Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)


def call(node, interface, member, signature="", *args):
    """Calls `member` on `node` as any client may, with any arguments: its answer, or the D-Bus error's
    name. A call that does not answer within a second fails."""
    try:
        return accessibility_bus().call_sync(
            node.app.bus_name, node.path, interface, member, GLib.Variant(f"({signature})", args) if signature else None,
            None, 0, 1000).unpack()
    except GLib.Error as error:
        assert "Timeout" not in error.message and "NoReply" not in error.message, f"{member}{args}: {error.message}"
        return Gio.DBusError.get_remote_error(error)


TEXT = "org.a11y.atspi.Text"
# A call whose arguments do not match its method: fewer, or of another type.
WRONG_CALLS = [(TEXT, "GetText", ""), (TEXT, "GetTextAtOffset", "i", 0), (TEXT, "GetCharacterExtents", "i", 0),
               (TEXT, "GetTextBeforeOffset", "i", 0), (TEXT, "GetAttributeRun", "i", 0), (TEXT, "GetText", "ss", "a", "b"),
               ("org.a11y.atspi.Component", "GetExtents", ""), ("org.a11y.atspi.Accessible", "GetChildAtIndex", "s", "0"),
               ("org.a11y.atspi.Action", "DoAction", ""), ("org.freedesktop.DBus.Properties", "Get", "s", TEXT)]


ONE_MINUTE = setting("pomodoroConfiguration", {"focusSeconds": 60, "shortBreakSeconds": 300,
                                               "longBreakSeconds": 900, "blocksBeforeLongBreak": 4})


class Reader(unittest.TestCase):
    def assertRangesAnswerAtOnce(self, *nodes):
        """A reader's widest range on each node's text is measured at once, as the text's own range."""
        for node in nodes:
            text = node.queryText()
            start = time.monotonic()
            widest = text.getRangeExtents(0, 2**31 - 1, pyatspi.DESKTOP_COORDS)
            self.assertLess(time.monotonic() - start, 2.0, node.name)
            self.assertEqual(widest, text.getRangeExtents(0, text.characterCount, pyatspi.DESKTOP_COORDS), node.name)

    def assertTextCallsAnswer(self, mewt, *nodes):
        """At the end of the text (its length, or -1) every boundary is the empty text there, and the one
        before it is the text's last part; a call with the wrong arguments is an error. Each answers,
        and the app lives on."""
        for node in nodes:
            whole = text_of(node)
            end = len(whole)
            for offset, kind in [(offset, kind) for offset in (end, -1) for kind in range(7)]:
                for member in ("GetTextAtOffset", "GetTextAfterOffset") + (("GetStringAtOffset",) if kind < 5 else ()):
                    self.assertEqual(call(node, TEXT, member, "iu", offset, kind), ("", end, end), (member, offset, kind))
                text, start, stop = call(node, TEXT, "GetTextBeforeOffset", "iu", offset, kind)
                self.assertTrue(whole[start:stop] == text and (stop == end or kind > 4), (node.name, offset, kind, text))
            for interface, member, signature, *args in WRONG_CALLS:
                self.assertEqual(call(node, interface, member, signature, *args),
                                 "org.freedesktop.DBus.Error.InvalidArgs", member)
            self.assertEqual(mewt.process.poll(), None)

    def test_clock_layout_reads_its_values_and_the_running_time(self):
        # One minute of focus, without the ending cue that would show from its start.
        settings = [TOUR_DONE, "timerIdleLayout=clock", "timerMode=pomodoro", ONE_MINUTE, "showsEndingCue=false"]
        with Mewt("\n".join(settings)) as mewt:
            start = mewt.open_controls("start one focus session")
            self.assertEqual(text_of(start), "1 minute")
            self.assertEqual(text_of(mewt.node("edit timer duration")), "01:00")
            focus = mewt.node("focus duration, 1 minute", role="spin button").queryValue()
            self.assertEqual((focus.currentValue, focus.minimumValue, focus.maximumValue), (1, 1, 180))
            self.assertTrue(mewt.nodes("break duration, 5 minutes", role="spin button"))
            self.assertRangesAnswerAtOnce(start)
            # The caret at the end of a name just typed, where a reader asks for the word it is on.
            click(mewt.node("add name"))
            field = mewt.node(None, "text")
            click(field)
            xdo("type", "--delay", "30", "tea time")
            wait_for(lambda: text_of(field) == "tea time", what="the typed name")
            self.assertEqual(field.queryText().caretOffset, 8)
            self.assertTextCallsAnswer(mewt, field)
            # The glyphs in a box are the text they show.
            box = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.assertEqual(call(field, TEXT, "GetBoundedRanges", "iiiiuuu", box.x, box.y, box.width, box.height, 0, 0, 0),
                             ([(0, 8, "tea time", "")],))
            xdo("key", "ctrl+a", "BackSpace")
            interval = mewt.node("long break interval", role="spin button")
            self.assertEqual((value_of(interval), text_of(interval)), (4, "every 4 focus sessions"))

            mewt.press("start one focus session")
            button = mewt.open_controls("pause focus")
            self.assertTrue(text_of(button).startswith("ends "), text_of(button))
            read = labels(button)
            self.assertIn(text_of(button), read)  # the status line is a label too
            self.assertIn("focus 1 of 1", read)
            clock = next(n for n in shown(button) if n.getRoleName() == "label" and TIME.match(text_of(n) or ""))
            self.assertEqual(clock.name, text_of(clock))
            # Orca speaks a button's labels before its name: the showing time block labels it.
            self.assertEqual(labelled_by(button), ["focus 1 of 1", text_of(clock), text_of(button)])
            progress = mewt.node("yarn timer progress")
            self.assertRegex(text_of(progress), r"^\S+ wound, \S+ remaining$")
            self.assertGreater(progress.queryValue().maximumValue, 0)
            self.assertTextCallsAnswer(mewt, progress, clock)
            self.assertEqual(call(progress, "org.a11y.atspi.Value", "SetCurrentValue", ""),
                             "org.freedesktop.DBus.Error.InvalidArgs")
            paw = mewt.node("mewt timer")
            self.assertRegex(text_of(paw), r" left$")
            self.assertEqual(paw.description, text_of(paw))

            # The time a reader asks for is the newest, but it is not told at every second.
            before = text_of(clock)
            told = told_within(2.5)
            self.assertNotEqual(text_of(clock), before)
            # Two ticks at least went by; a minute's turn may tell a change once, no more.
            repeated = [(source.getRoleName(), source.name, kind) for i, (source, kind) in enumerate(told)
                        if (source, kind) in told[:i]]
            self.assertEqual(repeated, [])

    def test_zen_bar_and_ending_cue_read_their_text(self):
        with Mewt("\n".join([TOUR_DONE, "isZenModeEnabled=true", running_timer(45, total=600)])) as mewt:
            self.assertTrue(any(TIME.match(text) for text in labels(mewt.open_controls("pause timer"))))
            self.assertRegex(text_of(mewt.node("timer progress")), r"^\S+ elapsed, \S+ remaining$")
            # The cue is one element, nothing inside: its title names it, its text is the time.
            cue = mewt.node("timer ending in", timeout=15)
            self.assertEqual(cue.childCount, 0)
            self.assertRangesAnswerAtOnce(cue, mewt.node("timer progress"))
            before = text_of(cue)
            self.assertRegex(before, TIME)
            # The time runs, and a listening reader is not told of it at every second.
            self.assertEqual([kind for source, kind in told_within(2.5) if source == cue], [])
            self.assertNotEqual(text_of(cue), before)

    def test_waiting_plan_reads_its_overdue_time(self):
        with Mewt("\n".join([TOUR_DONE, "timerMode=pomodoro", waiting_plan(10)])) as mewt:
            mewt.open_controls("start break")
            # The banner reads its sentence and its button; the bell before them is for the eye.
            banner = mewt.node("allow notifications to hear when time is up.")
            self.assertEqual([n.getRoleName() for n in shown(banner)][1:], ["label", "push button"])
            read = labels(mewt.app)
            self.assertIn("next: short break", read)
            self.assertTrue(any(re.match(r"^\u2212\d+:\d\d$", text) for text in read), read)
            self.assertRegex(text_of(mewt.node("mewt timer")), r"^phase ended \d+:\d\d ago$")

    def test_settings_rows_selected_show_their_pages_and_toggled_switches_are_stored(self):
        with Mewt(TOUR_DONE) as app:
            app.open_settings()
            sidebar = app.node("general", "list item").parent
            rows = [sidebar.getChildAtIndex(i).name for i in range(sidebar.childCount)]
            self.assertEqual(len(rows), 6, rows)  # no blank rows for the gaps between groups
            table = sidebar.queryTable()
            search = app.node("Search settings", "text")
            self.assertEqual([(n.getRoleName(), n.name) for n in walk(search)][1:], [("push button", "clear search")])
            # The page's title in the top band, and the updates button read as its own title.
            app.node("general", "label")
            self.assertTrue(app.nodes("check for updates…", "push button"))
            self.assertEqual(app.nodes("updates", "push button"), [])
            # A drop-down is named by its label and reads its choice; back and forward say their name once.
            self.assertEqual(text_of(app.node("language", "combo box")), "system")
            self.assertEqual([(n.name, n.description) for n in app.nodes(role="push button") if n.name in ("Back", "Forward")],
                             [("Back", ""), ("Forward", "")])

            # The table's row selection, as a reader selects a list item.
            sounds = rows.index("sounds & alerts")
            self.assertTrue(table.addRowSelection(sounds))
            interface = app.node("interface sounds", "check box")
            self.assertEqual(list(table.getSelectedRows()), [sounds])
            app.node("sounds & alerts", "label")
            self.assertTrue(checked(interface))
            toggle(interface)
            wait_for(lambda: not checked(interface), what="interface sounds off over the bus")
            # A closed drop-down's rows are not on show.
            closed = [showing(n) for combo in app.nodes(role="combo box") for n in walk(combo)
                      if n.getRoleName() == "list item"]
            self.assertTrue(closed and not any(closed), closed)

            # The row's own toggle action selects it; toggled again, the selection comes back.
            controls = rows.index("controls")
            toggle(sidebar.getChildAtIndex(controls))
            zen = app.node("zen mode", "check box")
            self.assertFalse(checked(zen))
            toggle(zen)
            wait_for(lambda: checked(zen), what="zen mode on over the bus")
            toggle(sidebar.getChildAtIndex(controls))
            wait_for(lambda: list(table.getSelectedRows()) == [controls], what="the page's row selected again")
            self.assertTrue(app.nodes("zen mode", "check box"), "the page stays")

            table.addRowSelection(rows.index("pulling"))
            diagram = app.node("pull distance per step", "image")
            self.assertEqual((text_of(diagram), diagram.childCount), ("20 points", 0))
            self.assertRangesAnswerAtOnce(diagram, search)

            table.addRowSelection(rows.index("general"))
            app.press("Open Source Licenses")
            headings = wait_for(lambda: [n.name for n in app.nodes(role="heading")], what="the notices' headings")
            self.assertEqual(headings[0], "Open Source Licenses")
            self.assertEqual(len(headings), 2, headings)  # and the notice's own title
            app.press("Done")

            # Hits read their hint; the category rows put aside by the search are not on show.
            click(search)
            xdo("type", "--delay", "30", "volume")
            hits = wait_for(lambda: app.nodes(role="list item"), what="search hits")
            self.assertTrue(all(re.match(r"^Open .+ in .+$", n.description) for n in hits),
                            [(n.name, n.description) for n in hits])
            self.assertEqual([n.name for n in list(walk(sidebar))[1:] if showing(n)], [])

            # No hits: one element reads the headline, the hint as its description, each once.
            xdo("key", "ctrl+a")
            xdo("type", "--delay", "30", "zzqq")
            app.node("No Results for “zzqq”")
            told = [(n.getRoleName(), n.description, n.childCount) for n in app.nodes()
                    if "zzqq" in (n.name or "") + (text_of(n) or "") and n.getRoleName() != "text"]
            self.assertEqual(told, [("label", "Check the spelling or try a new search.", 0)])

            # Once the window closes, none of its rows are on show, and soon none are left at all: the
            # closed window gives its widgets back.
            run("wmctrl", "-c", "mewt settings")
            wait_for(lambda: not app.nodes("mewt settings"), what="the settings window closed")
            self.assertEqual([n.name for n in hits + [sidebar.getChildAtIndex(0)] if n and showing(n)], [])
            wait_for(lambda: not app.nodes("Search settings", only_showing=False), what="the closed window's rows gone")

            app.stop()
            stored = app.stored()
            self.assertEqual((stored.get("tactileSoundsEnabled"), stored.get("isZenModeEnabled")), ("false", "true"))


if __name__ == "__main__":
    unittest.main()
