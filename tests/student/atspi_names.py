#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real quorvel-student as a screen reader sees it through AT-SPI: every launch button of the
page, "<<", ">>" and every tab, by its caption and its role. Runs in a D-Bus session of its own
(dbus-run-session) on the X display of the tests; exits 77 (skipped) when AT-SPI is missing."""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspi  # noqa: E402

atspi.require()


def launcher_nodes():
    """(role, name) of every node of the launcher."""
    return {(n.getRoleName(), n.name) for n in atspi.application_nodes("quorvel-student")}


def main():
    items = ["/apps/Tom & Jerry.exe"] + ["/apps/Prog%d.exe" % n for n in range(2, 13)]
    menu = "[Settings]\r\nNumber of tabs=2\r\nTab1=Cats & Dogs\r\nTab2=Games\r\n"
    menu += "[Tab 1]\r\nNumber of Buttons=%d\r\n" % len(items)
    menu += "".join("Button %d=%s\r\n" % (n, item) for n, item in enumerate(items, 1))
    expected = {("push button", name)
                for name in ["Tom & Jerry", "<<", ">>"] + ["Prog%d" % n for n in range(2, 11)]}
    expected |= {("page tab", "Cats & Dogs"), ("page tab", "Games")}

    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "qv.ini"), "w", newline="") as f:
            f.write(menu)
        with atspi.running(sys.argv[1], folder):
            seen = set()

            def all_seen():
                seen.clear()
                seen.update(launcher_nodes())
                return expected <= seen
            atspi.wait(all_seen)
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
