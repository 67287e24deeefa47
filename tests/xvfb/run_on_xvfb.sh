#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test program on a private X server with the xcb platform, so that it gets real key
# events from xdotool. Usage: run_on_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

workdir=$(mktemp -d)
cleanup() {
  # Waited for, so that the next test's server never takes the display number while this one
  # is still removing its socket, which would leave the new server unreachable.
  if [ -n "${xvfb:-}" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$workdir"
}
trap cleanup EXIT

# Let the server pick a free display number and tell us which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$workdir/display" ] && break; sleep 0.05; done
[ -s "$workdir/display" ] || { echo "FAIL: Xvfb did not start"; cat "$workdir/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$workdir/display")"
export QT_QPA_PLATFORM=xcb

"$@"
