# SPDX-License-Identifier: MIT
# What the AT-SPI tests share: the script runs itself again with Debian's own Python (whose
# packages the AT-SPI bindings are) on a private session bus, where the accessibility bus starts
# on demand, and is skipped where a piece is missing.
import os
import shutil
import sys


def skip(why):
    print(f"SKIP: {why}")
    sys.exit(77)


def atspi():
    """The Atspi module, on a private session bus."""
    if os.environ.get("TAVRIN_PRIVATE_BUS") != "1":
        for tool in ("dbus-run-session", "xdotool"):
            if not shutil.which(tool):
                skip(f"{tool} is not installed")
        if not os.path.exists("/usr/share/dbus-1/services/org.a11y.Bus.service"):
            skip("at-spi2-core, the accessibility bus, is not installed")
        os.environ["TAVRIN_PRIVATE_BUS"] = "1"
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])
    try:
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
    except (ImportError, ValueError):
        skip("python3-pyatspi (with the Atspi bindings) is not installed")
    # The accessibility bus and its registry running before any program asks for them, so that
    # a program never finds them half started.
    Atspi.get_desktop(0).get_child_count()
    return Atspi


def walk(node, depth=0):
    """A node and everything below it, as deep as a window's widgets go."""
    if node is not None and depth < 12:
        yield node
        for i in range(node.get_child_count()):
            yield from walk(node.get_child_at_index(i), depth + 1)
