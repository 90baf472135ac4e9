"""The program as a screen reader reads it on Linux: its windows' tree read over AT-SPI from this
process, its buttons pressed through their actions, the focus followed while Tab moves it.

Run by tests/support/with-accessibility-bus.sh (a private session bus with its accessibility bus,
an X display with a window manager):  accessibility_atspi_test.py <the program>
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi
from gi.repository import GLib

PROGRAM = None  # set from the command line

# The main window's buttons as the layout captions them, by the screen reader's names.
MAIN_BUTTONS = ["...", "Lock Folder", "Unlock Folder", "Hide Folder", "Show Folder", "Open icon",
                "Change Icon", "Set Default Icon", "About,..", "Exit"]
# Tab goes round the main window in this order (names the screen reader says), from "...".
MAIN_TAB_ORDER = ["Lock Folder", "Unlock Folder", "Folder", "Disguise", "Hide Folder", "Show Folder",
                  "Open icon", "Change Icon", "Set Default Icon", "About,..", "Exit", "Current Icon",
                  "New Icon", "..."]
MAIN_LABELS = ["Simple lock foder,..", "Simple hide foder,..", "Change folder icon,..", "Current Icon",
               "New Icon"]


def wait_for(what, probe, timeout=20.0):
    """probe() until it gives something true; fails the test naming `what` after `timeout` seconds."""
    end = time.monotonic() + timeout
    while True:
        # Events from the bus come in through the main loop's context.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = probe()
        except Exception:  # the tree changes under us while windows open and close
            found = None
        if found:
            return found
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def children(node):
    return [c for c in node if c is not None]


def walk(node):
    yield node
    for c in children(node):
        yield from walk(c)


def states(node):
    return set(node.getState().getStates())


def actions(node):
    action = node.queryAction()
    return {action.getName(i): (i, action.getKeyBinding(i)) for i in range(action.nActions)}


def press(node):
    index, _ = actions(node)["Press"]
    node.queryAction().doAction(index)


class AccessibilityTest(unittest.TestCase):
    def listen(self, event_type):
        """The events of this type announced from now on, as (name of the object, detail1), in order."""
        heard = []

        def on_event(event):
            try:
                heard.append((event.source.name, event.detail1))
            except Exception:
                heard.append((None, event.detail1))

        pyatspi.Registry.registerEventListener(on_event, event_type)
        self.addCleanup(pyatspi.Registry.deregisterEventListener, on_event, event_type)
        return heard

    def setUp(self):
        # A copy of the program in a folder of its own: its folder is the one it starts on, and the
        # register of hidden folders lies beside it.
        self.work = tempfile.mkdtemp()
        self.app_dir = os.path.join(self.work, "app")
        os.mkdir(self.app_dir)
        shutil.copy(PROGRAM, self.app_dir)
        self.process = subprocess.Popen([os.path.join(self.app_dir, os.path.basename(PROGRAM))])
        self.desktop = pyatspi.Registry.getDesktop(0)
        self.app = wait_for("the program on the accessibility bus", self.find_app)
        self.main = wait_for("the main window", lambda: self.window("Velmoran v2.0"))
        wait_for("the focus on \"...\"", lambda: self.focused() is not None and self.focused().name == "...")

    def tearDown(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.work, ignore_errors=True)

    def find_app(self):
        for app in children(self.desktop):
            if app.name == "Quorvane" and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, title):
        for w in children(self.app):
            if w.name == title and pyatspi.STATE_SHOWING in states(w):
                return w
        return None

    def focused(self):
        for node in walk(self.app):
            if pyatspi.STATE_FOCUSED in states(node):
                return node
        return None

    def button(self, window, name):
        for node in walk(window):
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == name:
                return node
        raise AssertionError("no push button named " + repr(name))

    def xdotool(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)

    def test_main_window_reads_as_its_controls(self):
        self.assertEqual(self.main.getRole(), pyatspi.ROLE_FRAME)
        buttons = [n for n in walk(self.main) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        self.assertEqual(sorted(b.name for b in buttons), sorted(MAIN_BUTTONS))
        for b in buttons:
            with self.subTest(button=b.name):
                self.assertIn(pyatspi.STATE_FOCUSABLE, states(b))
                self.assertIn(pyatspi.STATE_ENABLED, states(b))
                self.assertIn(pyatspi.STATE_SENSITIVE, states(b))
                self.assertEqual(actions(b)["Press"], (0, ""))  # no access keys on the main window
        named = {(n.getRole(), n.name) for n in walk(self.main)}
        for role, name in [(pyatspi.ROLE_TEXT, "Folder"), (pyatspi.ROLE_COMBO_BOX, "Disguise"),
                           (pyatspi.ROLE_IMAGE, "Current Icon"), (pyatspi.ROLE_IMAGE, "New Icon")]:
            self.assertIn((role, name), named)
        labels = [n.name for n in children(self.main) if n.getRole() == pyatspi.ROLE_LABEL]
        self.assertEqual(labels, MAIN_LABELS)
        # Only "..." has the focus, and says so.
        self.assertEqual([n.name for n in walk(self.app) if pyatspi.STATE_FOCUSED in states(n)], ["..."])

    def test_press_hide_folder_hides_the_folder_and_gives_the_focus_back(self):
        hide = self.button(self.main, "Hide Folder")
        # A screen reader's user goes to the button first, and the focus moves with them.
        hide.queryAction().doAction(actions(hide)["SetFocus"][0])
        wait_for("the focus on \"Hide Folder\"",
                 lambda: self.focused() is not None and self.focused().name == "Hide Folder")
        start = time.monotonic()
        press(hide)
        # The action returns at once: the click is queued, and its message box opens afterwards.
        self.assertLess(time.monotonic() - start, 2.0)
        box = wait_for("the message box \"yeah!\"", lambda: self.window("yeah!"))
        texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL]
        self.assertIn("The folder: \n" + self.app_dir + "\n  it's not visible now", texts)
        # Hidden as the file managers see it: listed in its parent's ".hidden", and its attributes
        # hidden + system.
        with open(os.path.join(self.work, ".hidden"), encoding="utf-8") as f:
            self.assertEqual(f.read().splitlines(), ["app"])
        self.assertEqual(os.getxattr(self.app_dir, "user.DOSATTRIB")[:4], b"0x6\0")
        with open(os.path.join(self.app_dir, "l0g.ext"), "rb") as f:
            self.assertEqual(f.read(), self.app_dir.encode() + b"\r\n")
        # The box's button has the focus while it shows.
        ok = self.button(box, "OK")
        wait_for("the focus on the box's \"OK\"", lambda: pyatspi.STATE_FOCUSED in states(ok))
        press(ok)
        wait_for("the message box to close", lambda: self.window("yeah!") is None)
        # The focus is back on the button pressed, for the screen reader to say.
        wait_for("the focus back on \"Hide Folder\"",
                 lambda: self.focused() is not None and self.focused().name == "Hide Folder")

        # The list window, opened by its button's action, reads as a dialog over the register.
        press(self.button(self.main, "Show Folder"))
        dialog = wait_for("the list window", lambda: self.window("Form1"))
        self.assertEqual(dialog.getRole(), pyatspi.ROLE_DIALOG)
        lists = [n for n in walk(dialog) if n.getRole() == pyatspi.ROLE_LIST]
        self.assertEqual([n.name for n in lists], ["Hidden folders"])
        self.assertEqual([c.name for c in children(lists[0])], [self.app_dir])
        self.assertEqual([n.name for n in children(dialog) if n.getRole() == pyatspi.ROLE_LABEL],
                         ["Select a folder to make it visible:.."])
        press(self.button(dialog, "Close"))
        wait_for("the list window to close", lambda: self.window("Form1") is None)

    def test_tab_visits_every_control_and_the_screen_reader_follows(self):
        focus_events = self.listen("object:state-changed:focused")
        seen = []
        for expected in MAIN_TAB_ORDER:
            self.xdotool("Tab")
            node = wait_for("the focus on " + repr(expected),
                            lambda: self.focused() if self.focused() is not None and
                            self.focused().name == expected else None)
            seen.append(node.name)
        self.assertEqual(seen, MAIN_TAB_ORDER)
        # Each move was announced: the screen reader says where the focus went.
        wait_for("the last focus announced", lambda: (MAIN_TAB_ORDER[-1], 1) in focus_events)
        gained = [name for name, detail in focus_events if detail == 1]
        self.assertEqual(gained, MAIN_TAB_ORDER)

    def test_about_window_buttons_carry_their_access_keys(self):
        # Held down by Space, the button says it is pressed; let go, it clicks.
        about_button = self.button(self.main, "About,..")
        about_button.queryAction().doAction(actions(about_button)["SetFocus"][0])
        wait_for("the focus on \"About,..\"", lambda: pyatspi.STATE_FOCUSED in states(about_button))
        self.assertNotIn(pyatspi.STATE_PRESSED, states(about_button))
        subprocess.run(["xdotool", "keydown", "space"], check=True)
        wait_for("\"About,..\" pressed", lambda: pyatspi.STATE_PRESSED in states(about_button))
        subprocess.run(["xdotool", "keyup", "space"], check=True)
        about = wait_for("the about window", lambda: self.window("About "))
        self.assertNotIn(pyatspi.STATE_PRESSED, states(about_button))
        expected = {"OK": "Alt+O", "System Info...": "Alt+S", "Change...": "Alt+C"}
        for name, shortcut in expected.items():
            with self.subTest(button=name):
                b = self.button(about, name)
                self.assertEqual(actions(b)["Press"], (0, shortcut))
        portraits = {n.name for n in walk(about) if n.getRole() == pyatspi.ROLE_IMAGE}
        self.assertEqual(portraits, {"Drawn portrait", "Portrait photograph"})
        wait_for("the focus on \"OK\"", lambda: self.focused() is not None and self.focused().name == "OK")
        # Pressed through its shortcut, "Change..." swaps the portraits: the photograph shows.
        photo = [n for n in walk(about) if n.name == "Portrait photograph"][0]
        self.assertNotIn(pyatspi.STATE_SHOWING, states(photo))
        self.xdotool("alt+c")
        wait_for("the photograph shown", lambda: pyatspi.STATE_SHOWING in states(photo))
        press(self.button(about, "OK"))
        wait_for("the about window to close", lambda: self.window("About ") is None)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
