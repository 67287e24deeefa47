#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and starts a program: run.sh [tavrin|quelda] [FILE]
# Unless TVDRV_SOCKET already names a keyboard driver's socket, the keyboard simulator serves one
# in a temporary folder while the program runs, and logs on this terminal what the keyboard got.
set -euo pipefail
cd "$(dirname "$0")/.."

program=tavrin
case "${1:-}" in tavrin|quelda) program=$1; shift ;; esac

# Say there is no display before minutes of building, not after.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "There is no graphical display here (DISPLAY is not set), so $program cannot open its window." >&2
  echo "Run this from a desktop session, or under a virtual screen:" >&2
  echo "  sudo apt-get install -y xvfb && xvfb-run -a bash scripts/run.sh $program $*" >&2
  exit 2
fi

bash scripts/setup-machine.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target "$program" tvdrv-sim

if [ -n "${TVDRV_SOCKET:-}" ]; then
  exec "build/src/apps/$program" "$@"
fi

simdir=$(mktemp -d)
export TVDRV_SOCKET=$simdir/tvdrv.sock
build/src/apps/tvdrv-sim --socket "$TVDRV_SOCKET" &
sim=$!
trap 'kill -TERM "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; rm -rf "$simdir"' EXIT
status=0
"build/src/apps/$program" "$@" || status=$?
exit "$status"
