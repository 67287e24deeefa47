#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the README's screenshots from the real programs on a virtual screen, so they stay true as
# the code changes: Tavrin and Quelda each with a sample file loaded, and Tavrin's view window.
# Usage: screenshots.sh [BUILD_DIR]   (default: build; the programs are built there if needed)
# Needs Xvfb, xdotool and ImageMagick's import (Debian: xvfb xdotool imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh needs $tool: apt-get install xvfb xdotool imagemagick" >&2; exit 2; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tavrin quelda tvrtool

workdir=$(mktemp -d)
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

# --- Sample configuration files ------------------------------------------------------------
# Written as tvrtool's JSON and made into configuration files by tvrtool import, which checks
# them as the programs load them. Keys not named here keep their defaults.
declare -A label colour rowspan colspan hidden
key() { # COLUMN ROW COLOUR LABEL [ROWSPAN COLSPAN]
  local i=$(($1 * 7 + $2))
  label[$i]=$4 colour[$i]=$3 rowspan[$i]=${5:-1} colspan[$i]=${6:-1}
}
drinks='#FFC88C' food='#BEE6AA' digits='#DCE4F0'
n=0
for item in Latte Mocha Tea Cocoa Juice Water; do key $n 0 $drinks "$item"; n=$((n + 1)); done
n=0
for item in Muffin Bagel Toast Salad Soup Cake; do key $n 1 $food "$item"; n=$((n + 1)); done
digit=(7 8 9 4 5 6 1 2 3)
for i in "${!digit[@]}"; do key $((8 + i % 3)) $((i / 3)) $digits "${digit[$i]}"; done
key 8 3 $digits 0
key 11 0 '#F0968C' Clear
key 11 5 '#96C8F0' Total 2 1
key 9 6 '#8CD28C' Cash 1 2
hidden[83]=1 hidden[76]=1

layout() { # PROGRAM KEY_LINES...
  local program=$1 separator=
  shift
  printf '{"format": "tvrtool-layout", "version": 1, "program": "%s", "keys": [\n' "$program"
  for line in "$@"; do printf '%s%s' "$separator" "$line"; separator=$',\n'; done
  printf '\n]}\n'
}
json_key() { # VISIBLE ROWSPAN COLSPAN COLOUR LABEL
  printf '{"label": {"text": "%s", "codePage": "windows-1252"}, "color": "%s", "rowSpan": %s, "colSpan": %s, "visible": %s, "codes": []}' \
    "$5" "$4" "$2" "$3" "$1"
}

keys=()
for i in $(seq 0 83); do
  if [ -n "${hidden[$i]:-}" ]; then
    keys+=("$(json_key false 1 1 buttonFace $((i + 1)))")
  else
    keys+=("$(json_key true "${rowspan[$i]:-1}" "${colspan[$i]:-1}" "${colour[$i]:-buttonFace}" "${label[$i]:-$((i + 1))}")")
  fi
done
layout Tavrin "${keys[@]}" >"$workdir/cafe.json"
"$build/src/apps/tvrtool/tvrtool" import "$workdir/cafe.json" -o "$workdir/cafe.tvr"

keys=()
for position in Off Sales Refund X Z Setup Lock; do
  keys+=("$(json_key true 1 1 buttonFace "$position")")
done
layout Quelda "${keys[@]}" >"$workdir/lock.json"
"$build/src/apps/tvrtool/tvrtool" import "$workdir/lock.json" -o "$workdir/lock.qld"

# --- Virtual screen ----------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$workdir/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$workdir/display")"
unset QT_QPA_PLATFORM
mkdir -p "$out"

find_window() { # TITLE SECONDS
  timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true
}

shoot() { # WINDOW FILE
  # Let the window finish its first paint before the picture is taken.
  sleep 0.5
  import -window "$1" "$out/$2"
  echo "wrote $out/$2"
}

start() { # PROGRAM FILE TITLE
  "$build/src/apps/$1" "$2" >"$workdir/$1.log" 2>&1 &
  app=$!
  window=$(find_window "$3" 20)
  [ -n "$window" ] || { echo "no window titled $3 appeared" >&2; cat "$workdir/$1.log" >&2; exit 1; }
}

stop() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=
}

start tavrin "$workdir/cafe.tvr" Tavrin
shoot "$window" tavrin.png
# There is no window manager: focus the window directly so that the shortcut reaches it.
xdotool windowfocus --sync "$window"
xdotool key ctrl+v
view=$(find_window KeyView 5)
if [ -n "$view" ]; then
  shoot "$view" tavrin-view.png
else
  echo "skipped tavrin-view.png: Ctrl+V opened no KeyView window in this build"
fi
stop

start quelda "$workdir/lock.qld" Quelda
shoot "$window" quelda.png
stop
