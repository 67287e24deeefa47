#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and starts a program, and builds tvrtool: run.sh [tavrin|quelda] [FILE]
# Unless TVDRV_SOCKET already names a keyboard driver's socket, the keyboard simulator serves one
# in a temporary folder while the program runs, and logs on this terminal what the keyboard got.
set -euo pipefail
script=$(cd "$(dirname "$0")" && pwd)/run.sh

program=tavrin
case "${1:-}" in tavrin|quelda) program=$1; shift ;; esac

# A file named relative to the caller's folder stays that file once this script has changed
# into the repository: the arguments that are no options (all of them after "--") are made
# absolute here.
args=()
options=1
for arg in "$@"; do
  if [ "$options" = 1 ] && [ "$arg" = -- ]; then
    options=0
  elif { [ "$options" = 0 ] || [ "${arg#-}" = "$arg" ]; } && [ "${arg#/}" = "$arg" ]; then
    arg=$PWD/$arg
  fi
  args+=("$arg")
done
set -- "${args[@]+"${args[@]}"}"
cd "$(dirname "$script")/.."

# Say there is no display before minutes of building, not after.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "There is no graphical display here (DISPLAY is not set), so $program cannot open its window." >&2
  echo "Run this from a desktop session, or under a virtual screen:" >&2
  echo "  sudo apt-get install -y xvfb && xvfb-run -a bash $script $program $*" >&2
  exit 2
fi

bash scripts/setup-machine.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target "$program" tvdrv-sim tvrtool
echo "tvrtool, the command-line companion, is $PWD/build/src/apps/tvrtool/tvrtool" >&2

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
