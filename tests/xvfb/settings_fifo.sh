#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts a real program whose settings file is a FIFO that nobody ever writes: opening it would
# wait for ever. The main window must appear all the same, the program must say once that it
# passed the file over, and the FIFO must be left as it was.
# Usage: run_on_xvfb.sh settings_fifo.sh BINARY TITLE
set -euo pipefail
binary=$1 title=$2
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

settings=$workdir/config/tavrin/$title.ini
mkdir -p "$(dirname "$settings")"
mkfifo "$settings"
XDG_CONFIG_HOME=$workdir/config "$binary" >"$workdir/app.log" 2>&1 &
app=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1) || true
[ -n "$window" ] || fail "no window while the settings file is a FIFO"
said=$(grep -c "settings file $settings is not a regular file" "$workdir/app.log" || true)
[ "$said" -eq 1 ] || fail "the program said $said times that it passed the settings file over"
[ -p "$settings" ] || fail "the FIFO was replaced"
echo "PASS"
