# SPDX-License-Identifier: GPL-3.0-or-later
"""What the AT-SPI tests of both programs share: the skip when AT-SPI (or a tool a test names) is
missing, the accessibility bus, a copy of the program started on it, and its nodes as a screen
reader sees them. The tests run in a D-Bus session of their own (dbus-run-session) on the X
display of the tests."""
import contextlib
import os
import shutil
import subprocess
import sys
import time

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def require(*tools):
    """Exits 77 (skipped) without python3-pyatspi, at-spi2-core, an X display or the tools."""
    try:
        import pyatspi  # noqa: F401  (only whether it is there)
    except ImportError:
        print("python3-pyatspi is not installed")
        sys.exit(77)
    if (not os.access(BUS_LAUNCHER, os.X_OK) or not os.environ.get("DISPLAY")
            or any(shutil.which(t) is None for t in tools)):
        print("needs at-spi2-core, %san X display" % "".join(t + ", " for t in tools))
        sys.exit(77)


def wait(done, limit=30):
    """Polls until done() holds (a bound, not a speed target)."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if done():
            return True
        time.sleep(0.2)
    return False


def nodes(node):
    """The node and everything below it."""
    found = [node]
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found += nodes(child)
    return found


def application_nodes(name):
    """The nodes of the running application of that name as they are now (this script runs no
    event loop that would keep the client's cache of names and states up to date); none when it
    is not there."""
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            app.clearCache()
            return nodes(app)
    return []


@contextlib.contextmanager
def running(binary, folder):
    """A copy of the program in folder (where its qv.ini is), started there on an accessibility
    bus of its own; both end with the block."""
    program = os.path.join(folder, os.path.basename(binary))
    shutil.copy(binary, program)
    # The program's own output must not hold the test's output open once it ends.
    bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], cwd=folder, env=env)
    try:
        yield process
    finally:
        process.kill()
        process.wait()
        # Asked to end (not killed), the bus launcher ends the bus it started too.
        bus.terminate()
        bus.wait()
