#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the Windows driver channel for real: builds a stand-in kernel driver and a console
# program on the channel and the run with the MinGW-w64 cross compilers, and runs them under
# Wine, whose service host loads kernel drivers, in a fresh prefix without a display. Checks
# that the channel installs and starts the driver service, that the driver receives the run's
# requests with the right codes, transfer methods and bytes, that the service is stopped and
# deleted at close, that a program that left the driver running does not stop the next one,
# and that without the driver file the run fails after its retries and says why. Drivers that
# never answer are the Windows programs' Wine test's to check, through tvrtool and Tavrin.
# Usage: run_channel_under_wine.sh SOURCE_DIR GENERATED_CORE_DIR (where the generated headers
# are). Skips (77) where Wine or the cross compilers are not installed. To see why a driver does
# not load, run it with WINEDEBUG=+service,+ntoskrnl,+winedevice,+module.
set -euo pipefail
src=$1 generated=$2
cc=x86_64-w64-mingw32-gcc
cxx=x86_64-w64-mingw32-g++
for tool in "$cc" "$cxx" wine wineboot wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool not found (Debian packages g++-mingw-w64-x86-64, wine, wine64): skipped"
    exit 77
  fi
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No display, and no offer to install the .NET and HTML runtimes into the new prefix.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
winelog=$work/wine.log
fail() {
  echo "FAIL: $*" >&2
  echo "--- Wine's own output:" >&2
  tail -n 40 "$winelog" >&2 || true
  exit 1
}

# The driver is a native image whose entry point is DriverEntry, linked against the kernel's
# exports only. The kernel headers sit in the cross compiler's include folder under ddk/.
ddk=$(echo '#include <windows.h>' | "$cc" -M -E - | grep -o '[^ ]*/windows\.h' | head -n 1)
ddk=$(dirname "$ddk")/ddk
"$cc" -std=c11 -Wall -Wextra -Werror -O2 -I"$ddk" -nostdlib -Wl,--subsystem,native \
  -Wl,--entry,DriverEntry "$src/tests/wine/fake_tvdrv.c" -lntoskrnl -o "$work/TVDRV.SYS"
core=$src/src/core
"$cxx" -std=c++20 -Wall -Wextra -Werror -I"$core" -I"$generated" \
  "$core"/programming/{Win32Calls,Win32Drv,RunBuffer,RunClock,SendPackets}.cpp \
  "$src/tests/wine/channel_run.cpp" -static -ladvapi32 -o "$work/channel_run.exe"

# A service started while the new prefix is still booting fails (1053, 1055): let the first
# boot finish and its processes end before anything else runs.
timeout 120 wineboot -i >>"$winelog" 2>&1 || fail "the new Wine prefix did not boot"
timeout 60 wineserver -w || fail "the new Wine prefix did not settle"

drive=$WINEPREFIX/drive_c
mkdir "$drive/withdriver" "$drive/nodriver"
cp "$work/channel_run.exe" "$work/TVDRV.SYS" "$drive/withdriver/"
cp "$work/channel_run.exe" "$drive/nodriver/"

# Runs a command line under Wine into NAME.out, and waits until the driver's service host has
# ended too, so that its log is complete. The console ends its lines the Windows way.
run() {
  local name=$1
  shift
  timeout 60 wine "$@" >"$work/$name.crlf" 2>>"$winelog" || fail "$name: did not end by itself"
  tr -d '\r' <"$work/$name.crlf" >"$work/$name.out"
  timeout 60 wineserver -w || fail "$name: Wine did not settle afterwards"
}
same() {
  diff -u "$2" - >"$work/diff" || { cat "$work/diff" >&2; fail "$1"; }
}
driver_log() {
  [ -f "$drive/tvdrv.log" ] || fail "$1: the driver was never loaded, it wrote no log"
  mv "$drive/tvdrv.log" "$work/$1.log"
}

# One key, Shift+A, sent to a driver that takes everything: what the channel asks and is told.
taken_run='IsReady yes
BeginRun yes
EndExchange yes
IsReady yes
SendPacket F1 12 00 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 1C 01 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 F0 02 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 1C 03 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 F0 04 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 12 05 14 F4 yes
EndExchange yes
IsReady yes
SendPacket F1 F7 06 14 F4 yes
EndExchange yes
IsReady yes
EndRun yes
EndExchange yes
run taken
service after close: absent'
# And what the driver receives of it. Codes 2 and 6 carry the transfer method "out direct" (2),
# 3 "neither" (3), 4 "buffered" (0) and 5 "in direct" (1); only request 2 has input, the
# packet, which arrives in the system buffer.
received_run='open
request 4 method 0 input 0
request 6 method 2 input 0
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 12 00 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 1C 01 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 F0 02 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 1C 03 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 F0 04 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 12 05 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 2 method 2 input 5: F1 F7 06 14 F4
request 3 method 3 input 0
request 4 method 0 input 0
request 5 method 1 input 0
request 3 method 3 input 0
close'

# Started from a folder of drive C:, as the programs are, the channel installs and starts the
# service, the run reaches the driver, and closing stops the service ("unload") and deletes it.
run fresh 'C:\withdriver\channel_run.exe'
same "with the driver: what the channel asked and was told" "$work/fresh.out" <<EOF
open yes
service while open: running
$taken_run
EOF
driver_log fresh
same "with the driver: what the driver received" "$work/fresh.log" <<EOF
load
$received_run
unload
EOF

# A program that ended without closing leaves the service running. The next one cannot create
# it again and does not start it, but opens the driver that runs, and removes the service at
# its close. The command interpreter holds the session open between the two, as a desktop
# would.
run left 'C:\windows\system32\cmd.exe' /c \
  'C:\withdriver\channel_run.exe --leave-open & C:\withdriver\channel_run.exe'
same "after a program that left the driver running: what the channel asked and was told" \
  "$work/left.out" <<EOF
open yes
service while open: running
open yes
service while open: running
$taken_run
EOF
driver_log left
same "after a program that left the driver running: what the driver received" \
  "$work/left.log" <<EOF
load
open
close
$received_run
unload
EOF

# Without the driver file the service is created but cannot start and the device does not
# open: the first packet is refused six times and the run fails; the service is still removed.
run missing 'C:\nodriver\channel_run.exe'
same "without the driver file: what the channel asked and was told" "$work/missing.out" <<'EOF'
open no
service while open: stopped
IsReady no
IsReady no
IsReady no
IsReady no
IsReady no
IsReady no
IsReady no
IsReady no
run failed
service after close: absent
EOF
[ ! -e "$drive/tvdrv.log" ] || fail "without the driver file: a driver was loaded all the same"
run missing_why 'C:\nodriver\channel_run.exe' --why
grep -Fxq 'open no: there is no keyboard driver file at C:\nodriver\TVDRV.SYS' \
  "$work/missing_why.out" || fail "without the driver file: the reason is not given"

echo "the Windows channel ran under $(wine --version 2>/dev/null) against the stand-in driver"
