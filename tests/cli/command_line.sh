#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a real program binary with no display of any kind: help and the version must still
# print, and "--" must end the options so that a file name may begin with "-".
# Usage: command_line.sh BINARY NAME EXTENSION
set -uo pipefail
binary=$1 name=$2 extension=$3

run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" "$@" 2>&1; }
fail() { echo "FAIL: $*"; exit 1; }
words() { tr -s ' \n' '  ' <<<"$1"; }

out=$(run --version) || fail "--version ended with status $?: $out"
[ "$out" = "$name 1.0.0" ] || fail "--version printed: $out"
out=$(run -v) || fail "-v ended with status $?: $out"
[ "$out" = "$name 1.0.0" ] || fail "-v printed: $out"

out=$(run --help) || fail "--help ended with status $?: $out"
help=$(words "$out")
for expected in "Usage: $(basename "$binary") [options] [FILE]" "-h, --help" "-v, --version" \
  "Configuration file (.$extension) to open at start-up. Put -- before a name that begins with -."; do
  [[ "$help" == *"$expected"* ]] || fail "--help lacks \"$expected\": $out"
done

# After "--" even "--help" is a file name; opening one needs a display, which is missing here.
out=$(run -- --help)
status=$?
[ "$status" -eq 2 ] || fail "-- --help ended with status $status: $out"
[[ "$out" == *"needs a graphical display"* ]] || fail "-- --help printed: $out"
echo "PASS"
