#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The main window as a screen reader reads it, over AT-SPI on a real X server: every key of the
# grid is a named button, each arrow key that moves over the grid sends a focus event for the
# key reached, and the fields of the label and code dialogs have names.
# Usage: run_on_xvfb.sh accessible_tree.py TAVRIN_BINARY
# Runs itself again on a private session bus, where the accessibility bus starts on demand.
# Debian's own Python, as the AT-SPI bindings are its packages.
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(why):
    print(f"SKIP: {why}")
    sys.exit(SKIP)


def fail(why):
    print(f"FAIL: {why}")
    sys.exit(1)


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
    from gi.repository import Atspi, GLib
except (ImportError, ValueError):
    skip("python3-pyatspi (with the Atspi bindings) is not installed")

binary = sys.argv[1]
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
log = tempfile.TemporaryFile()
app = subprocess.Popen([binary], env=env, stdout=log, stderr=subprocess.STDOUT)


def cleanup_and(code, why):
    app.kill()
    app.wait()
    if code:
        log.seek(0)
        print("--- the program's output:\n" + log.read().decode(errors="replace"))
        fail(why)
    print(why)
    sys.exit(0)


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def find_app(name, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == name:
                return child
        time.sleep(0.2)
    return None


def named(root, role, name):
    return [n for n in walk(root) if n.get_role() == role and n.get_name() == name]


start = time.monotonic()
tavrin = find_app("Tavrin")
if tavrin is None:
    cleanup_and(1, "Tavrin never showed on the accessibility bus")

keys = [n for n in walk(tavrin)
        if n.get_role() == Atspi.Role.PUSH_BUTTON and n.get_name().startswith("Key ")]
if len(keys) != 84:
    cleanup_and(1, f"{len(keys)} named keys, not 84: {[k.get_name() for k in keys][:5]}")
if keys[0].get_name() != "Key 0, 1" or keys[0].get_description() != "no codes":
    cleanup_and(1, f"key 0 reads \"{keys[0].get_name()}\", \"{keys[0].get_description()}\"")
print(f"{time.monotonic() - start:.1f} s: 84 keys, from \"{keys[0].get_name()}\" to \"{keys[-1].get_name()}\"")

# The arrow keys over the grid, each answered by a focus event for the key reached.
focused = []


def on_focus(event):
    if event.detail1 == 1 and event.source is not None:
        focused.append(event.source.get_name())


listener = Atspi.EventListener.new(on_focus)
listener.register("object:state-changed:focused")
window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tavrin$"],
                        capture_output=True, text=True, timeout=20).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
expected = ["Key 0, 1", "Key 7, 8", "Key 8, 9", "Key 1, 2"]
context = GLib.MainContext.default()


def key_focus():
    return [f for f in focused if f.startswith("Key ")]


for count, stroke in enumerate(["Right", "Right", "Down", "Left"], start=1):
    subprocess.run(["xdotool", "key", stroke], check=True)
    deadline = time.monotonic() + 5
    while len(key_focus()) < count and time.monotonic() < deadline:
        context.iteration(False)
        time.sleep(0.02)
got = key_focus()
if got != expected:
    cleanup_and(1, f"focus events {got}, expected {expected}")
print(f"focus followed the arrow keys: {', '.join(got)}")


def dialog_field(shortcut, title, role, name):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    subprocess.run(["xdotool", "key", shortcut], check=True)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        for frame in [n for n in walk(tavrin) if n.get_name() == title]:
            if named(frame, role, name):
                return
        time.sleep(0.2)
    cleanup_and(1, f"no field \"{name}\" in the {title} dialog")


dialog_field("Return", "KeyLabel", Atspi.Role.TEXT, "Label")
print("the label dialog's box is named \"Label\"")
subprocess.run(["xdotool", "key", "Escape"], check=True)
dialog_field("ctrl+d", "KeyCode", Atspi.Role.TEXT, "Codes")
print("the code dialog's list is named \"Codes\"")
cleanup_and(0, "PASS")
