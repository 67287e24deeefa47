#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows driver channel and the programming run against the real windows.h with the
# MinGW-w64 cross compiler, warnings as errors, and links them with the system's libraries.
# Usage: compile_win32.sh SOURCE_DIR GENERATED_CORE_DIR (where the generated headers are). Skips (77) where the cross compiler is not installed.
set -euo pipefail
src=$1 generated=$2
cxx=x86_64-w64-mingw32-g++
if ! command -v "$cxx" >/dev/null; then
  echo "$cxx not found (Debian package g++-mingw-w64-x86-64): skipped"
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
core=$src/src/core
"$cxx" -std=c++20 -Wall -Wextra -Werror -I"$core" -I"$generated" \
  "$core"/programming/{Win32Calls,Win32Drv,PlatformDrv,RunBuffer,RunClock,SendPackets}.cpp \
  "$src/tests/mingw/win32_main.cpp" -static -ladvapi32 -o "$out/channel.exe"
echo "built $(basename "$out/channel.exe") for Windows"
