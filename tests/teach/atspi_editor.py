#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real quorvel-manager as a screen reader and a keyboard user meet it: every control that
takes the focus has a name over AT-SPI (the three boxes of the new button by their labels), Tab
reaches a launch button, Return and Space on it test it and Delete deletes it. Runs in a D-Bus
session of its own (dbus-run-session) on the X display of the tests; exits 77 (skipped) when
AT-SPI or xdotool is missing."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspi  # noqa: E402
from atspi import wait  # noqa: E402

atspi.require("xdotool", "xprop")
import pyatspi  # noqa: E402


def all_nodes():
    return atspi.application_nodes("quorvel-manager")


def showing_focusable():
    return [n for n in all_nodes()
            if n.getState().contains(pyatspi.STATE_FOCUSABLE)
            and n.getState().contains(pyatspi.STATE_SHOWING)]


def focused():
    """(role, name) of the nodes that say they have the focus (a tab of the strip may keep saying
    so while the strip's page holds it)."""
    return [(n.getRoleName(), n.name) for n in all_nodes()
            if n.getState().contains(pyatspi.STATE_FOCUSED)]


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def lines(path):
    try:
        with open(path, newline="") as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


def main():
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        log = os.path.join(folder, "log")
        items = []
        for name in ("mark", "Other"):
            item = os.path.join(folder, name)
            with open(item, "w") as f:
                f.write("#!/bin/sh\necho %s >> '%s'\n" % (name, log))
            os.chmod(item, 0o755)
            items.append(item)
        ini = os.path.join(folder, "qv.ini")
        with open(ini, "w", newline="") as f:
            f.write("[Settings]\r\nNumber of tabs=1\r\nTab1=Writing\r\n[Tab 1]\r\n"
                    "Number of Buttons=2\r\nButton 1=%s\r\nButton 2=%s\r\n" % tuple(items))
        # An X server without -noreset starts over when its last client leaves, and refuses
        # clients meanwhile: one client stays connected for the whole test.
        keeper = subprocess.Popen(["xprop", "-root", "-spy"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL)
        keeper.stdout.readline()  # connected
        try:
            with atspi.running(sys.argv[1], folder) as manager:
                names = {"Target", "Caption", "Hint", "Tab", "Add from list...", "Add", "Remove",
                         "Add Button", "<<", ">>", "mark", "Other", "Writing"}
                if not wait(lambda: names <= {n.name for n in all_nodes()}):
                    missing = names - {n.name for n in all_nodes()}
                    problems.append("not exposed: %s" % sorted(missing))
                unnamed = [n.getRoleName() for n in showing_focusable() if not n.name]
                if unnamed:
                    problems.append("focusable without a name: %s" % unnamed)

                windows = xdotool("search", "--sync", "--all", "--onlyvisible", "--pid",
                                  str(manager.pid), "--name", "^Quorvel Manger$").split("\n")

                def focus_on_window():
                    for window in windows:
                        xdotool("windowfocus", "--sync", window)
                        if xdotool("getwindowfocus") == window:
                            return bool(focused())
                    return False
                if not wait(focus_on_window, 20):
                    problems.append("the window never took the keyboard focus")
                for _ in range(40):
                    if ("push button", "mark") in focused():
                        break
                    before = focused()
                    xdotool("key", "Tab")
                    wait(lambda: focused() != before, 2)
                if ("push button", "mark") not in focused():
                    problems.append("Tab never reached the launch button; focus on %s"
                                    % (focused(),))
                else:
                    xdotool("key", "Return")
                    if not wait(lambda: lines(log) == ["mark"]):
                        problems.append("Return did not test the button: %s" % lines(log))
                    xdotool("key", "space")
                    if not wait(lambda: lines(log) == ["mark", "mark"]):
                        problems.append("Space did not test the button: %s" % lines(log))
                    xdotool("key", "Delete")
                    after = ["[Settings]", "Number of tabs=1", "Tab1=Writing", "[Tab 1]",
                             "Number of Buttons=1", "Button 1=" + items[1]]
                    if not wait(lambda: lines(ini) == after):
                        problems.append("Delete did not delete the button: %s" % lines(ini))
                    # The keyboard stays on the page, on the button that took its place.
                    if not wait(lambda: ("push button", "Other") in focused(), 10):
                        problems.append("after Delete the focus is on %s" % (focused(),))
        finally:
            keeper.kill()
            keeper.wait()
    for p in problems:
        print(p)
    return 1 if problems else 0


sys.exit(main())
