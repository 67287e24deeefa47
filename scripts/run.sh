#!/usr/bin/env bash
# Builds and starts a program: run.sh [tavrin|quelda] [FILE]
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
cmake --build build --target "$program"
exec "build/src/apps/$program" "$@"
