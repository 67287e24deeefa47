#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts a real program against two things that could stop it or make it open the wrong file:
# a settings file that is a FIFO nobody ever writes, which would keep it waiting for ever, and a
# file name whose last byte is not UTF-8, which read as text names another file (a good layout
# here). It must say once that it passed the settings file over and leave the FIFO as it was,
# refuse the name in a box before its window appears, and then show its window.
# Usage: run_on_xvfb.sh start_up_hazards.sh BINARY TITLE EXTENSION
set -euo pipefail
binary=$1 title=$2 extension=$3
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }

workdir=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- the program's output:"
  cat "$workdir/app.log"
  exit 1
}
visible() { xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true; }

settings=$workdir/config/tavrin/$title.ini
mkdir -p "$(dirname "$settings")"
mkfifo "$settings"
# The name as text would be layout<U+FFFD>: a file the program would load without a word.
case $title in
  Tavrin) magic=TVRN keys=84 ;;
  Quelda) magic=MGKY keys=7 ;;
esac
{
  printf %s "$magic"
  # Each key shown, one cell wide and high, no codes, the button face's colour, no label.
  for _ in $(seq "$keys"); do printf '\001\001\001\000\017\000\000\200'; head -c 84 /dev/zero; done
} >"$workdir/layout"$'\xef\xbf\xbd'".$extension"
XDG_CONFIG_HOME=$workdir/config "$binary" "$workdir/layout"$'\xff'".$extension" >"$workdir/app.log" 2>&1 &
app=$!

box=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
[ -n "$box" ] || fail "nothing appeared while the settings file is a FIFO"
said=$(grep -c "settings file $settings is not a regular file" "$workdir/app.log" || true)
[ "$said" -eq 1 ] || fail "the program said $said times that it passed the settings file over"
[ -p "$settings" ] || fail "the FIFO was replaced"

# The box goes with Enter; the main window would stay.
for _ in $(seq 50); do
  xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return
  sleep 0.1
  visible | grep -qx "$box" || break
done
visible | grep -qx "$box" && fail "no box refused the name; the other file was loaded instead"
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
[ -n "$window" ] || fail "no main window after the box"
echo "PASS"
