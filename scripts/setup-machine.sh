#!/usr/bin/env bash
# Installs, from Debian's packages, whatever building, running and testing need and the machine
# lacks. Usage: setup-machine.sh run|test
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation)
if [ "${1:-run}" = test ]; then
  # A real X server with real key and mouse events for the tests that need one.
  packages+=(xvfb xauth xdotool x11-utils)
  # The Windows driver channel is compiled against the real windows.h.
  packages+=(g++-mingw-w64-x86-64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
