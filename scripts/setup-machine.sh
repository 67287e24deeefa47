#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, from Debian's packages, whatever building, running and testing need and the machine
# lacks. Usage: setup-machine.sh run|test
set -euo pipefail

# librsvg2-bin renders the installed icons from their SVGs. IPA's proportional Gothic draws
# Japanese labels and the dialogs where the Windows Gothic face is missing.
# Qt's translation tools compile the programs' translations; the toolkit's own translations put
# its dialogs in the user's language.
packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation librsvg2-bin fonts-ipafont-gothic
  qt6-l10n-tools qt6-translations-l10n)
if [ "${1:-run}" = test ]; then
  # What checks the installed tree and the Debian package: the desktop-entry and AppStream
  # validators, the MIME database and a query of it, and dpkg-shlibdeps (with file, which
  # CPack finds the binaries with) for the dependencies.
  packages+=(desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev file)
  # Debian's own checks of the package, and an independent JSON Schema validator that holds
  # tvrtool's schema against what tvrtool import takes and refuses.
  packages+=(lintian python3-jsonschema)
  # A real X server with real key and mouse events for the tests that need one, and a PDF
  # renderer to read back the printed page.
  packages+=(xvfb xauth xdotool x11-utils poppler-utils)
  # A screen reader's view of the windows: the accessibility bus and its Python client, on a
  # private session bus.
  packages+=(at-spi2-core python3-pyatspi dbus)
  # The configuration-file fuzzer: clang with its libFuzzer and sanitizer runtimes.
  packages+=(clang libclang-rt-dev)
  # The Windows driver channel is compiled against the real windows.h.
  packages+=(g++-mingw-w64-x86-64)
  # The Windows channel is also run for real, under Wine, whose service host loads a stand-in
  # kernel driver built with the C cross compiler (which comes with the C++ one). Without
  # recommends it leaves out the 32-bit half (which needs the i386 architecture), the graphics,
  # printing and media libraries and the fonts: a headless 64-bit run needs none of them.
  packages+=(wine wine64)
  # The key-face pixel tests draw with a fixed font, so that line heights are known.
  packages+=(fonts-dejavu-core)
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
