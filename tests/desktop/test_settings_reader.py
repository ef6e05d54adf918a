"""The settings window as a screen reader drives it: a sidebar row chosen through the list's
selection shows its page, and a switch toggled by its accessible action is stored."""
import unittest

import pyatspi

from desktop import TOUR_DONE, Mewt, wait_for


def toggle(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Toggle"))


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


class SettingsByScreenReader(unittest.TestCase):
    def test_selected_rows_show_their_pages_and_toggled_switches_are_stored(self):
        with Mewt(TOUR_DONE) as app:
            app.open_settings()
            sidebar = next(n for n in app.nodes(role="list")
                           if any(n.getChildAtIndex(i).name == "general" for i in range(n.childCount)))
            rows = [sidebar.getChildAtIndex(i).name for i in range(sidebar.childCount)]
            table = sidebar.queryTable()

            # The table's row selection, as a reader selects a list item.
            sounds = rows.index("sounds & alerts")
            self.assertTrue(table.addRowSelection(sounds))
            interface = app.node("interface sounds", "check box")
            self.assertEqual(list(table.getSelectedRows()), [sounds])
            self.assertTrue(checked(interface))
            toggle(interface)
            wait_for(lambda: not checked(interface), what="interface sounds off over the bus")

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

            app.stop()
            stored = app.stored()
            self.assertEqual(stored.get("tactileSoundsEnabled"), "false")
            self.assertEqual(stored.get("isZenModeEnabled"), "true")


if __name__ == "__main__":
    unittest.main()
