#!/usr/bin/env python3
"""The Windows program's about window as the window manager meets it, read from the X side.

quorvane.exe runs under wine on the test display (with its window manager, as
tools/test-windows.sh starts it); "About,.." is clicked with the real pointer. The about window
must then be framed by the window manager with a title bar and a close box only (a fixed dialog
frame, not resizable), its X window must be the window's 354 x 227 inner area with its top-left
corner at the stored place (2340 x 1935 twips: 156, 129 at 96 dpi), and it must have no taskbar
button: it is transient for a hidden window of the program, never for the main window.

Usage: window_manager_test.py WINE PROGRAM (PROGRAM as a Unix path; DISPLAY and WINEPREFIX set).
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

WINE = None
PROGRAM = None

# The about window's inner area at 96 dpi, and the main window's "About,.." button (225, 6000,
# 1515 x 390 twips) in pixels of its inner area.
ABOUT_INNER = (354, 227)
ABOUT_CORNER = (156, 129)
ABOUT_BUTTON_CENTRE = (15 + 101 // 2, 400 + 26 // 2)

# _MOTIF_WM_HINTS bits.
MWM_FUNC_RESIZE, MWM_FUNC_MOVE, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE, MWM_FUNC_CLOSE = 2, 4, 8, 16, 32
MWM_DECOR_BORDER, MWM_DECOR_RESIZEH, MWM_DECOR_TITLE, MWM_DECOR_MENU = 2, 4, 8, 16
MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 32, 64


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def wait_for_window(name, seconds=20):
    """The X window whose name is exactly `name`, waited for until it is mapped."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(name)],
                               capture_output=True, text=True).stdout.split()
        if found:
            return int(found[0])
        time.sleep(0.1)
    raise AssertionError("no window named %r came" % name)


def geometry(window):
    info = run("xwininfo", "-id", str(window))
    value = lambda label: int(re.search(r"%s:\s+(-?\d+)" % label, info).group(1))
    return {
        "x": value("Absolute upper-left X"), "y": value("Absolute upper-left Y"),
        "width": value("Width"), "height": value("Height"),
        "mapped": "IsViewable" in info,
    }


def prop(window, name):
    """An X property's value as xprop prints it after '=' or ':', or None when it is not set."""
    out = subprocess.run(["xprop", "-id", str(window), name], capture_output=True, text=True).stdout
    if "not found" in out or "no such atom" in out:
        return None
    return out.split("=", 1)[1].strip() if "=" in out.split("\n")[0] else out.split(":", 1)[1].strip()


def numbers(text):
    return [int(n, 0) for n in re.findall(r"0x[0-9a-fA-F]+|\d+", text)]


class AboutWindowFrame(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # A portable copy in a folder of its own: its register would lie beside it.
        cls.folder = tempfile.mkdtemp(prefix="quorvane-wm-")
        program = os.path.join(cls.folder, "quorvane.exe")
        shutil.copy(PROGRAM, program)
        cls.process = subprocess.Popen([WINE, program], cwd=cls.folder,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            cls.main = wait_for_window("Velmoran v2.0")
            time.sleep(0.5)
            # "About,.." clicked as a user does: the pointer moved over it, pressed and released.
            x, y = ABOUT_BUTTON_CENTRE
            run("xdotool", "mousemove", "--window", str(cls.main), str(x), str(y))
            time.sleep(0.3)
            run("xdotool", "click", "1")
            cls.about = wait_for_window("About ")
            time.sleep(0.5)
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        try:
            cls.process.wait(10)
        except subprocess.TimeoutExpired:
            cls.process.kill()
            cls.process.wait()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def test_its_x_window_is_the_inner_area_at_the_stored_place(self):
        g = geometry(self.about)
        self.assertTrue(g["mapped"])
        self.assertEqual((g["width"], g["height"]), ABOUT_INNER)
        self.assertEqual((g["x"], g["y"]), ABOUT_CORNER)

    def test_the_window_manager_draws_a_title_bar_and_a_border(self):
        left, right, top, bottom = numbers(prop(self.about, "_NET_FRAME_EXTENTS"))
        self.assertGreater(top, 0)
        self.assertGreater(top, bottom, "a title bar above, a border below")
        self.assertGreater(left, 0)
        self.assertGreater(right, 0)
        # A dialog's frame: not a tool window's small caption.
        self.assertEqual(prop(self.about, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_DIALOG")

    def test_its_title_bar_has_the_close_box_only_and_it_cannot_be_resized(self):
        flags, functions, decorations = numbers(prop(self.about, "_MOTIF_WM_HINTS"))[:3]
        self.assertEqual(flags & 3, 3, "functions and decorations are both given")
        self.assertEqual(functions & (MWM_FUNC_MOVE | MWM_FUNC_CLOSE), MWM_FUNC_MOVE | MWM_FUNC_CLOSE)
        self.assertEqual(functions & (MWM_FUNC_RESIZE | MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE), 0)
        self.assertEqual(decorations & (MWM_DECOR_TITLE | MWM_DECOR_MENU | MWM_DECOR_BORDER),
                         MWM_DECOR_TITLE | MWM_DECOR_MENU | MWM_DECOR_BORDER)
        self.assertEqual(decorations & (MWM_DECOR_RESIZEH | MWM_DECOR_MINIMIZE | MWM_DECOR_MAXIMIZE), 0)
        hints = run("xprop", "-id", str(self.about), "WM_NORMAL_HINTS")
        self.assertIn("minimum size: 354 by 227", hints)
        self.assertIn("maximum size: 354 by 227", hints)
        actions = prop(self.about, "_NET_WM_ALLOWED_ACTIONS") or ""
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        self.assertNotIn("_NET_WM_ACTION_RESIZE", actions)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE", actions)

    def test_it_has_no_taskbar_button_and_belongs_to_a_hidden_window_not_the_main_one(self):
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", prop(self.about, "_NET_WM_STATE") or "")
        transient = prop(self.about, "WM_TRANSIENT_FOR")
        self.assertIsNotNone(transient)
        owner = numbers(transient.split("#")[-1])[0]
        self.assertNotEqual(owner, self.main)
        self.assertFalse(geometry(owner)["mapped"], "the owner is never shown")
        # The main window keeps its own taskbar button and belongs to nothing.
        self.assertNotIn("_NET_WM_STATE_SKIP_TASKBAR", prop(self.main, "_NET_WM_STATE") or "")
        self.assertIsNone(prop(self.main, "WM_TRANSIENT_FOR"))


if __name__ == "__main__":
    WINE, PROGRAM = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
