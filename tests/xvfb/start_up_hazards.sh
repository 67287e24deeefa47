#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts a real program with a settings file that is a FIFO nobody writes (opening it waits for
# ever) and a file name ending in the byte FF, which as UTF-8 would name another, good layout:
# it must pass the settings over, saying so once, and refuse the name in a box.
# Usage: run_on_xvfb.sh start_up_hazards.sh BINARY TITLE EXTENSION
set -euo pipefail
binary=$1 title=$2 extension=$3
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
workdir=$(mktemp -d)
trap '[ -n "${app:-}" ] && kill "$app" 2>/dev/null; rm -rf "$workdir"' EXIT
fail() { echo "FAIL: $*"; cat "$workdir/app.log"; exit 1; }
shown() { timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1; }

settings=$workdir/config/tavrin/$title.ini
mkdir -p "$(dirname "$settings")" && mkfifo "$settings"
if [ "$title" = Tavrin ]; then magic=TVRN keys=84; else magic=MGKY keys=7; fi
{ # every key shown, one cell, no codes, the button face's colour, no label
  printf %s "$magic"
  for _ in $(seq "$keys"); do printf '\001\001\001\000\017\000\000\200'; head -c 84 /dev/zero; done
} >"$workdir/layout"$'\xef\xbf\xbd'".$extension"
XDG_CONFIG_HOME=$workdir/config "$binary" "$workdir/layout"$'\xff'".$extension" >"$workdir/app.log" 2>&1 &
app=$!

box=$(shown) || fail "nothing appeared while the settings file is a FIFO"
[ "$(grep -c "settings file $settings is not a regular file" "$workdir/app.log")" -eq 1 ] ||
  fail "the program did not say once that it passed the settings file over"
[ -p "$settings" ] || fail "the FIFO was replaced"
# Enter closes a box; the main window would stay.
for _ in $(seq 50); do
  xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return
  sleep 0.1
  xdotool search --onlyvisible --name "^${title}\$" | grep -qx "$box" || break
done
window=$(shown) || fail "no main window after the box"
[ "$window" != "$box" ] || fail "no box refused the name; the other file was loaded instead"
echo "PASS"
