#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts a real program binary on a real X server and checks that its main window appears with
# the program's title and its fixed client size (the menu bar comes on top of the client area),
# that arrow keys and Enter reach the key grid,
# that Ctrl+O opens the Load dialog, and that Exit from the menu ends the program cleanly: a
# sanitizer report at exit shows as a failed exit status.
# Usage: run_on_xvfb.sh window_appears.sh BINARY TITLE
set -euo pipefail
binary=$1 title=$2
# The client area each program's users know, below the menu bar.
case $title in
  Tavrin) width=544 height=384 ;;
  Quelda) width=324 height=374 ;;
  *) echo "FAIL: no client size known for $title"; exit 1 ;;
esac

for tool in xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

workdir=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

"$binary" >"$workdir/app.log" 2>&1 &
app=$!

fail() {
  echo "FAIL: $*"
  echo "--- the program's output:"
  cat "$workdir/app.log"
  exit 1
}

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
[ -n "$window" ] || fail "no window titled $title"

info=$(xwininfo -id "$window")
got_width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
got_height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
echo "window $window: ${got_width}x${got_height}, title $(xdotool getwindowname "$window")"

[ "$(xdotool getwindowname "$window")" = "$title" ] || fail "title"
[ "$got_width" -eq "$width" ] || fail "width $got_width, expected $width"
# The window is the client area plus a one-line menu bar.
menu=$((got_height - height))
if [ "$menu" -lt 15 ] || [ "$menu" -gt 40 ]; then
  fail "height $got_height is not a $height-pixel client area under a menu bar"
fi
kill -0 "$app" || fail "the program ended"

# From a fresh start the key grid has the keyboard: Enter alone opens nothing, as no key is
# selected; an arrow key selects one, and Enter then opens its label dialog.
# There is no window manager here, so focus the window directly; the keys then go through XTEST
# like a user's.
xdotool windowfocus --sync "$window"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^KeyLabel$' >/dev/null 2>&1 && fail "Enter opened a label dialog with no key selected"
xdotool key Right Return
label=$(timeout 10 xdotool search --sync --onlyvisible --name '^KeyLabel$' | head -n 1) || true
[ -n "$label" ] || fail "an arrow key and Enter opened no label dialog"
for _ in $(seq 50); do
  xdotool windowfocus --sync "$label" 2>/dev/null && xdotool key Escape
  sleep 0.1
  xdotool search --onlyvisible --name '^KeyLabel$' >/dev/null 2>&1 || break
done
xdotool search --onlyvisible --name '^KeyLabel$' >/dev/null 2>&1 && fail "Escape did not close the label dialog"

# A real key stroke reaches the menu's shortcut: Ctrl+O opens the Load dialog.
xdotool windowfocus --sync "$window"
xdotool key ctrl+o
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Open$' | head -n 1) || true
[ -n "$dialog" ] || fail "Ctrl+O opened no Open dialog"
# The dialog must have the keyboard before Escape can close it, and be gone before the main
# window takes keys again.
for _ in $(seq 50); do
  xdotool windowfocus --sync "$dialog" 2>/dev/null && xdotool key Escape
  sleep 0.1
  xdotool search --onlyvisible --name '^Open$' >/dev/null 2>&1 || break
done
xdotool search --onlyvisible --name '^Open$' >/dev/null 2>&1 && fail "Escape did not close the Open dialog"

# Leave as a user does: File, then Exit, by their underlined letters. Nothing has changed, so
# nothing is asked, and the program ends on its own.
# On a busy machine the menu may open after the "x" has gone, so give it time and try again.
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$window" 2>/dev/null || break
  xdotool key alt+f
  sleep $((attempt))
  xdotool key x
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break 2; sleep 0.1; done
  xdotool key Escape Escape
done
kill -0 "$app" 2>/dev/null && fail "the program still runs after File, Exit"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
