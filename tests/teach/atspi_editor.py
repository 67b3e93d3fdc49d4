#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real quorvel-manager as a screen reader and a keyboard user meet it: every control that
takes the focus has a name over AT-SPI (the three boxes of the new button by their labels), Tab
reaches a launch button, Return and Space on it test it and Delete deletes it. Runs in a D-Bus
session of its own (dbus-run-session) on the X display of the tests; exits 77 (skipped) when
AT-SPI or xdotool is missing."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is not installed")
    sys.exit(77)

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
if (not os.access(BUS_LAUNCHER, os.X_OK) or not os.environ.get("DISPLAY")
        or shutil.which("xdotool") is None or shutil.which("xprop") is None):
    print("needs at-spi2-core, xdotool, xprop and an X display")
    sys.exit(77)


def wait(done, limit=30):
    """Polls until done() holds (a bound, not a speed target)."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if done():
            return True
        time.sleep(0.2)
    return False


def editor():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "quorvel-manager":
            return app
    return None


def nodes(node):
    found = [node]
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found += nodes(child)
    return found


def all_nodes():
    """The editor's nodes as they are now: this script runs no event loop that would keep the
    client's cache of names and states up to date."""
    app = editor()
    if app is None:
        return []
    app.clearCache()
    return nodes(app)


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
        program = os.path.join(folder, "quorvel-manager")
        shutil.copy(sys.argv[1], program)
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
        bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        manager = subprocess.Popen([program], cwd=folder, env=env)
        try:
            names = {"Target", "Caption", "Hint", "Tab", "Add from list...", "Add", "Remove",
                     "Add Button", "<<", ">>", "mark", "Other", "Writing"}
            if not wait(lambda: names <= {n.name for n in all_nodes()}):
                problems.append("not exposed: %s" % sorted(names - {n.name for n in all_nodes()}))
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
                problems.append("Tab never reached the launch button; focus on %s" % (focused(),))
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
            manager.kill()
            manager.wait()
            bus.terminate()
            bus.wait()
            keeper.kill()
            keeper.wait()
    for p in problems:
        print(p)
    return 1 if problems else 0


sys.exit(main())
