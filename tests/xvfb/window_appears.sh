#!/usr/bin/env bash
# Starts a real program binary on a real X server and checks that its main window appears with
# the program's title and its fixed client size (the menu bar comes on top of the client area).
# Usage: run_on_xvfb.sh window_appears.sh BINARY TITLE CLIENT_WIDTH CLIENT_HEIGHT
set -euo pipefail
binary=$1 title=$2 width=$3 height=$4

# Runs under run_on_xvfb.sh, which provides the X server.
command -v xwininfo >/dev/null || { echo "SKIP: xwininfo is not installed"; exit 77; }

workdir=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

"$binary" >"$workdir/app.log" 2>&1 &
app=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1)
[ -n "$window" ] || { echo "FAIL: no window titled $title"; cat "$workdir/app.log"; exit 1; }

info=$(xwininfo -id "$window")
got_width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
got_height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
echo "window $window: ${got_width}x${got_height}, title $(xdotool getwindowname "$window")"

[ "$(xdotool getwindowname "$window")" = "$title" ] || { echo "FAIL: title"; exit 1; }
[ "$got_width" -eq "$width" ] || { echo "FAIL: width $got_width, expected $width"; exit 1; }
# The window is the client area plus a one-line menu bar.
menu=$((got_height - height))
if [ "$menu" -lt 15 ] || [ "$menu" -gt 40 ]; then
  echo "FAIL: height $got_height is not a $height-pixel client area under a menu bar"
  exit 1
fi
kill -0 "$app" || { echo "FAIL: the program ended"; exit 1; }

# A real key stroke reaches the menu's shortcut: Ctrl+O opens the Load dialog.
# There is no window manager here, so focus the window directly; the keys then go through XTEST
# like a user's.
xdotool windowfocus --sync "$window"
xdotool key ctrl+o
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Open$' | head -n 1) || true
[ -n "$dialog" ] || { echo "FAIL: Ctrl+O opened no Open dialog"; exit 1; }
xdotool key Escape
echo "PASS"
