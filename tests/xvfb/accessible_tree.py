#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The main window as a screen reader reads it, over AT-SPI on a real X server: every key of the
# grid is a named button, each arrow key that moves over the grid sends a focus event for the
# key reached, and the fields of the label and code dialogs have names.
# Usage: run_on_xvfb.sh accessible_tree.py TAVRIN_BINARY
import os
import subprocess
import sys
import tempfile
import time

from private_atspi import atspi, walk

Atspi = atspi()
from gi.repository import GLib  # noqa: E402 (only on the private bus)

log = tempfile.TemporaryFile()
app = subprocess.Popen([sys.argv[1]], stdout=log, stderr=subprocess.STDOUT,
                       env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))


def end(why, failed=True):
    app.kill()
    app.wait()
    if failed:
        log.seek(0)
        print("--- the program's output:\n" + log.read().decode(errors="replace"))
    print(f"FAIL: {why}" if failed else why)
    sys.exit(1 if failed else 0)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True,
                          timeout=20).stdout


tavrin = None
for _ in range(100):
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    tavrin = next((a for a in apps if a is not None and a.get_name() == "Tavrin"), None)
    if tavrin:
        break
    time.sleep(0.2)
else:
    end("Tavrin never showed on the accessibility bus")

keys = [n.get_name() for n in walk(tavrin)
        if n.get_role() == Atspi.Role.PUSH_BUTTON and n.get_name().startswith("Key ")]
if len(keys) != 84 or keys[0] != "Key 1":
    end(f"{len(keys)} named keys, not 84 from \"Key 1\": {keys[:3]}")
print(f"84 keys, from \"{keys[0]}\" to \"{keys[-1]}\"")

# Each arrow key over the grid is answered by a focus event for the key reached (the grid's area
# itself, "Keys", has one when the window takes the focus).
focused = []
listener = Atspi.EventListener.new(
    lambda e: e.detail1 == 1 and e.source and e.source.get_name().startswith("Key ")
    and focused.append(e.source.get_name()))
listener.register("object:state-changed:focused")
window = xdotool("search", "--sync", "--onlyvisible", "--name", "^Tavrin$").split()[0]
xdotool("windowfocus", "--sync", window)
for count, stroke in enumerate(["Right", "Right", "Down", "Left"], start=1):
    xdotool("key", stroke)
    deadline = time.monotonic() + 5
    while len(focused) < count and time.monotonic() < deadline:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.02)
expected = ["Key 1", "Key 8", "Key 9", "Key 2"]
if focused != expected:
    end(f"focus events {focused}, expected {expected}")
print(f"focus followed the arrow keys: {', '.join(focused)}")

# The dialogs' fields that have no caption on the dialog still have a name.
for shortcut, title, field in [("Return", "KeyLabel", "Label"), ("ctrl+d", "KeyCode", "Codes")]:
    xdotool("windowfocus", "--sync", window)
    xdotool("key", shortcut)
    deadline = time.monotonic() + 10
    while not any(n.get_role() == Atspi.Role.TEXT and n.get_name() == field
                  for dialog in walk(tavrin) if dialog.get_name() == title
                  for n in walk(dialog)):
        if time.monotonic() > deadline:
            end(f"no text field \"{field}\" in the {title} dialog")
        time.sleep(0.2)
    print(f"the {title} dialog's text field is named \"{field}\"")
    # With no window manager the dialog takes the keyboard only when told to.
    xdotool("windowfocus", "--sync", xdotool("search", "--onlyvisible", "--name",
                                             f"^{title}$").split()[0])
    xdotool("key", "Escape")
end("PASS", failed=False)
