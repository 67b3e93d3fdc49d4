#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real quorvel-student as a screen reader sees it through AT-SPI: every launch button of the
page, "<<", ">>" and every tab, by its caption and its role. Runs in a D-Bus session of its own
(dbus-run-session) on the X display of the tests; exits 77 (skipped) when AT-SPI is missing."""
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
if not os.access(BUS_LAUNCHER, os.X_OK) or not os.environ.get("DISPLAY"):
    print("needs at-spi2-core and an X display")
    sys.exit(77)


def nodes(node):
    """(role, name) of the node and everything below it."""
    found = [(node.getRoleName(), node.name)]
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found += nodes(child)
    return found


def launcher_nodes():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "quorvel-student":
            return set(nodes(app))
    return set()


def main():
    items = ["/apps/Tom & Jerry.exe"] + ["/apps/Prog%d.exe" % n for n in range(2, 13)]
    menu = "[Settings]\r\nNumber of tabs=2\r\nTab1=Cats & Dogs\r\nTab2=Games\r\n"
    menu += "[Tab 1]\r\nNumber of Buttons=%d\r\n" % len(items)
    menu += "".join("Button %d=%s\r\n" % (n, item) for n, item in enumerate(items, 1))
    expected = {("push button", name)
                for name in ["Tom & Jerry", "<<", ">>"] + ["Prog%d" % n for n in range(2, 11)]}
    expected |= {("page tab", "Cats & Dogs"), ("page tab", "Games")}

    with tempfile.TemporaryDirectory() as folder:
        program = os.path.join(folder, "quorvel-student")
        shutil.copy(sys.argv[1], program)
        with open(os.path.join(folder, "qv.ini"), "w", newline="") as f:
            f.write(menu)
        # The launcher's own output must not hold the test's output open once it ends.
        bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        launcher = subprocess.Popen([program], cwd=folder, env=env)
        try:
            seen = set()
            deadline = time.monotonic() + 30
            while not expected <= seen and time.monotonic() < deadline:
                time.sleep(0.2)
                seen = launcher_nodes()
        finally:
            launcher.kill()
            launcher.wait()
            # Asked to end (not killed), the bus launcher ends the bus it started too.
            bus.terminate()
            bus.wait()
    missing = sorted(expected - seen)
    if missing:
        print("not exposed:", missing)
        print("seen:", sorted(seen))
        return 1
    # Only the page shown: button 11 lies on the next page.
    if ("push button", "Prog11") in seen:
        print("a button of another page is exposed")
        return 1
    print("exposed:", sorted(expected))
    return 0


sys.exit(main())
