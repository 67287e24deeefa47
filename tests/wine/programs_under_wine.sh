#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the Windows build as a user would, under Wine on a private X server, in a fresh prefix:
# the installer installs silently; tvrtool keeps a euro sign under the Western code page and
# Japanese labels under the Japanese one, byte for byte through export and import; Tavrin and
# Quelda load a file named on their command line and save it back through the Save As dialog and
# the overwrite question, byte for byte; Tavrin programs one key, captured from a real key
# stroke, into the stand-in kernel driver installed as the TVDRV service, which receives the
# packets of the run; against a driver that never answers, tvrtool and Tavrin fail with the
# reason within seconds and Tavrin still ends on Exit; and the uninstaller takes everything away
# again.
# Usage: programs_under_wine.sh SOURCE_DIR WINDOWS_BUILD_DIR QT_PREFIX (as scripts/windows.sh
# leaves them). To see why a driver does not load, run with WINEDEBUG=+service,+ntoskrnl.
set -euo pipefail
src=$1 build=$2 qt=$3
dist=$build/dist
for tool in wine wineboot wineserver Xvfb xdotool xwininfo xclip localedef python3 \
  x86_64-w64-mingw32-gcc; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install the .NET and HTML runtimes into the new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
winelog=$work/wine.log
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Each step is one check; the last line counts them, as test runners do.
steps=0
started=$SECONDS
step() {
  steps=$((steps + 1))
  echo "[$((SECONDS - started)) s] $*"
}
fail() {
  echo "FAIL: $*" >&2
  echo "--- Wine's own output:" >&2
  tail -n 30 "$winelog" >&2 || true
  echo "wine: $((steps > 0 ? steps - 1 : 0)) passed, 1 failed"
  exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# The stand-in driver, as the channel's own Wine test builds it.
cc=x86_64-w64-mingw32-gcc
ddk=$(echo '#include <windows.h>' | "$cc" -M -E - | grep -o '[^ ]*/windows\.h' | head -n 1)
"$cc" -std=c11 -O2 -I"$(dirname "$ddk")/ddk" -nostdlib -Wl,--subsystem,native \
  -Wl,--entry,DriverEntry "$src/tests/wine/fake_tvdrv.c" -lntoskrnl -o "$work/TVDRV.SYS"

step "booting a new Wine prefix"
# A service started while the new prefix is still booting fails: let the boot finish first.
timeout 180 wineboot -i >>"$winelog" 2>&1 || fail "the new Wine prefix did not boot"
timeout 60 wineserver -w || fail "the new Wine prefix did not settle"
drive=$WINEPREFIX/drive_c
mkdir "$drive/t"

# Runs a command under Wine, with wine_env before it, and waits until everything it started has
# ended.
wine_env=()
run() {
  local limit=$1
  shift
  timeout "$limit" "${wine_env[@]}" wine "$@" >"$work/out.crlf" 2>"$work/err.crlf"
  local status=$?
  tr -d '\r' <"$work/out.crlf" >"$work/out"
  tr -d '\r' <"$work/err.crlf" | tee -a "$winelog" >"$work/err"
  timeout 60 wineserver -w || fail "Wine did not settle after $*"
  return $status
}

step "installing silently"
installer=$(ls "$dist"/*-win64.exe)
cp "$installer" "$drive/t/setup.exe"
run 180 'C:\t\setup.exe' /S '/D=C:\Tavrin' || fail "the installer failed"
app=$drive/Tavrin
for file in tavrin.exe quelda.exe tvrtool.exe Qt6Core.dll Qt6Widgets.dll libstdc++-6.dll \
  platforms/qwindows.dll styles/qwindowsvistastyle.dll Uninstall.exe; do
  [ -f "$app/$file" ] || fail "the installer left out $file"
done
for name in Tavrin Quelda; do
  find "$drive" -name "$name.lnk" -path '*Start Menu*' | grep -q . || fail "no Start-menu $name"
done
for type in '.tvr Tavrin.Layout' '.qld Quelda.Layout'; do
  set -- $type
  run 60 reg query "HKCR\\$1" /ve || fail "no file type $1 after installing"
  grep -q "$2" "$work/out" || fail "$1 is not $2: $(cat "$work/out")"
done
run 60 reg query 'HKCR\Tavrin.Layout\shell\open\command' /ve || fail "no open command for .tvr"
grep -qF '"C:\Tavrin\tavrin.exe" "%1"' "$work/out" ||
  fail "the .tvr open command: $(cat "$work/out")"
cp "$work/TVDRV.SYS" "$app/"

# A configuration file: the magic, then one 92-byte record per key, the first with LABEL
# (bytes, as hex) and 1 + the key's number as every other key's label, as the programs do.
make_layout() { # PATH MAGIC KEYS LABEL
  python3 - "$@" <<'EOF'
import struct, sys
path, magic, keys, label = sys.argv[1], sys.argv[2], int(sys.argv[3]), bytes.fromhex(sys.argv[4])
out = magic.encode()
for k in range(keys):
    text = label if k == 0 else str(k + 1).encode()
    out += struct.pack("<BBBBI20s64s", 1, 1, 1, 0, 0x8000000F, text, b"")
open(path, "wb").write(out)
EOF
}
# The label of the first key, as tvrtool export wrote it.
exported_label() {
  PYTHONIOENCODING=utf-8 python3 -c 'import json, sys
label = json.load(open(sys.argv[1]))["keys"][0]["label"]
print(label["codePage"], label["text"])' "$1"
}

# export and import give back the same bytes, and the JSON holds the characters they stand for.
round_trip() { # NAME LABEL_HEX CODE_PAGE TEXT
  make_layout "$drive/t/$1.tvr" TVRN 84 "$2"
  run 60 'C:\Tavrin\tvrtool.exe' check "C:\\t\\$1.tvr" ||
    fail "$1: tvrtool check: $(cat "$work/out")"
  run 60 'C:\Tavrin\tvrtool.exe' export "C:\\t\\$1.tvr" -o "C:\\t\\$1.json" ||
    fail "$1: tvrtool export: $(cat "$work/out")"
  [ "$(exported_label "$drive/t/$1.json")" = "$3 $4" ] ||
    fail "$1: exported label $(exported_label "$drive/t/$1.json"), expected $3 $4"
  run 60 'C:\Tavrin\tvrtool.exe' import "C:\\t\\$1.json" -o "C:\\t\\$1-back.tvr" ||
    fail "$1: tvrtool import: $(cat "$work/out")"
  cmp "$drive/t/$1.tvr" "$drive/t/$1-back.tvr" || fail "$1: import did not give back the file"
}
step "tvrtool under the Western code page"
round_trip western 8020636166e9 windows-1252 "€ café"
step "tvrtool under the Japanese code page"
# Wine takes its ANSI code page from the Unix locale, which is made here for the run.
# localedef warns about the character map and may say so in its status, but still writes it.
mkdir "$work/locale"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" 2>/dev/null ||
  [ -d "$work/locale/ja_JP.UTF-8" ] || fail "could not make the Japanese locale"
wine_env=(env "LOCPATH=$work/locale" LC_ALL=ja_JP.UTF-8)
round_trip japanese 834c815b7cb7b0 Shift_JIS "キー|ｷｰ"
wine_env=()

step "the label table under Windows"
cp "$build/tests/tst_colorandlabel.exe" "$qt/bin/Qt6Test.dll" "$app/"
QT_QPA_PLATFORM=minimal run 60 'C:\Tavrin\tst_colorandlabel.exe' ||
  { cat "$work/out"; fail "the label tests failed under Windows"; }
rm "$app/tst_colorandlabel.exe" "$app/Qt6Test.dll"

# The window titled exactly TITLE, once it is shown; and every one shown now.
window_named() {
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] && echo "$window"
}
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
# Keys for a window; without a window manager the focus is given directly.
keys_to() { # WINDOW KEY...
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  shift
  xdotool key --delay 50 "$@"
}
closed() { # TITLE [WINDOW]: waits until no window of that title, or not that one, is shown
  for _ in $(seq 100); do
    local shown
    shown=$(windows_named "$1" | tr '\n' ' ')
    if [ $# -gt 1 ]; then
      [[ " $shown " == *" $2 "* ]] || return 0
    elif [ -z "$shown" ]; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# A window titled TITLE that is not one of the windows given.
other_window() { # TITLE WINDOW...
  local title=$1
  shift
  for _ in $(seq 100); do
    for w in $(windows_named "$title"); do
      [[ " $* " == *" $w "* ]] || { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
# What a message box says: Ctrl+C in it copies its text, which Wine hands to X.
box_text() {
  keys_to "$1" ctrl+c
  sleep 0.5
  { timeout 5 xclip -o -selection clipboard 2>/dev/null || true; } | tr -d '\r'
}
# File, Exit; ANSWER to the question about unsaved changes, if there is one.
quit() { # NAME PID MAIN_WINDOW [ANSWER WINDOW...]
  local name=$1 pid=$2 main=$3 box
  keys_to "$main" alt+f
  sleep 1
  xdotool key x
  if [ $# -gt 3 ]; then
    box=$(other_window "$(xdotool getwindowname "$main")" "$main" "${@:5}") ||
      fail "$name: Exit asked nothing about the changes"
    keys_to "$box" "$4"
  fi
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$name: the program still runs after File, Exit"
  timeout 60 wineserver -w || fail "$name: Wine did not settle after the program ended"
}

# Loaded from the command line, saved with Ctrl+S over itself: the same bytes, newly written.
save_back() { # PROGRAM TITLE FILE
  local file=$drive/t/$3 pid main dialog box
  cp "$file" "$work/before"
  touch -d '2000-01-01' "$file"
  wine "C:\\Tavrin\\$1.exe" "C:\\t\\$3" >>"$winelog" 2>&1 &
  pid=$!
  main=$(window_named "$2") || fail "$1: no window titled $2"
  keys_to "$main" ctrl+s
  dialog=$(window_named 'Save As') || fail "$1: Ctrl+S opened no Save As dialog"
  keys_to "$dialog" Return
  closed 'Save As' || fail "$1: the Save As dialog did not close"
  box=$(other_window "$2" "$main") || fail "$1: no question whether to overwrite"
  [[ "$(box_text "$box")" == *"Specified file already exists."* ]] ||
    fail "$1: the box after Save As was not the overwrite question"
  keys_to "$box" y
  for _ in $(seq 100); do [ "$file" -nt "$work/before" ] && break; sleep 0.1; done
  [ "$file" -nt "$work/before" ] || fail "$1: the file was not written again"
  cmp "$work/before" "$file" || fail "$1: the saved file differs from the one loaded"
  quit "$1" "$pid" "$main"
}
step "Tavrin loads a file and saves it back"
save_back tavrin Tavrin western.tvr
step "Quelda loads a file and saves it back"
make_layout "$drive/t/lock.qld" MGKY 7 4c6f636b
save_back quelda Quelda lock.qld

step "Tavrin programs a key into the stand-in driver"
# The programs above opened the driver too; only this run's requests count.
rm -f "$drive/tvdrv.log"
wine 'C:\Tavrin\tavrin.exe' >>"$winelog" 2>&1 &
pid=$!
main=$(window_named Tavrin) || fail "Prog One: no Tavrin window"
# Cell 12, column 1 and row 5: the first arrow key selects cell 0, then one right and five down.
keys_to "$main" Right Right Down Down Down Down Down ctrl+d
code=$(window_named KeyCode) || fail "Prog One: Ctrl+D opened no code dialog"
keys_to "$code" shift+a
sleep 0.5
# The dialog's Ok button takes only the mouse. The dialog is 155 by 139 pixels inside, Ok stands
# at 88,72 and is 57 by 20; where Wine draws a frame, the inside is at its bottom, centred.
eval "$(xdotool getwindowgeometry --shell "$code")"
frame=$(((WIDTH - 155) / 2))
xdotool mousemove --window "$code" $((frame + 88 + 28)) $((HEIGHT - 139 - frame + 72 + 10)) click 1
closed KeyCode || fail "Prog One: Ok did not close the code dialog"
keys_to "$main" alt+c Down Down Down Return
# The progress window, then the result, each a window of its own with the program's title.
seen=()
result=""
for _ in $(seq 300); do
  for w in $(windows_named Tavrin); do
    [ "$w" = "$main" ] || [[ " ${seen[*]} " == *" $w "* ]] || seen+=("$w")
  done
  [ ${#seen[@]} -ge 1 ] && result=$(box_text "${seen[-1]}") && [ -n "$result" ] && break
  sleep 0.1
done
[ ${#seen[@]} -ge 2 ] || fail "Prog One: no progress window before the result"
[[ "$result" == *"Program completed."* ]] || fail "Prog One: the run ended with: $result"
keys_to "${seen[-1]}" Return
closed Tavrin "${seen[-1]}" || fail "Prog One: Return did not close the result"
# The changed layout is not kept.
quit "Prog One" "$pid" "$main" n "${seen[@]}"
[ -f "$drive/tvdrv.log" ] || fail "Prog One: the driver was never loaded"
{
  echo load
  echo open
  echo 'request 4 method 0 input 0'
  echo 'request 6 method 2 input 0'
  echo 'request 3 method 3 input 0'
  # The Overview's example: Shift+A on key 12, then the end mark.
  sequence=0
  for value in 12 1C F0 1C F0 12 F7; do
    echo 'request 4 method 0 input 0'
    echo "request 2 method 2 input 5: F1 $value 0$sequence 14 F4"
    echo 'request 3 method 3 input 0'
    sequence=$((sequence + 1))
  done
  echo 'request 4 method 0 input 0'
  echo 'request 5 method 1 input 0'
  echo 'request 3 method 3 input 0'
  echo close
  echo unload
} >"$work/expected.log"
diff -u "$work/expected.log" "$drive/tvdrv.log" || fail "Prog One: the driver received another run"

# A driver that never answers: C:\tvdrv.hold holds each request until it is cancelled, and
# C:\tvdrv.stuck keeps it even then. Either way a run fails with its reason within seconds:
# the held one after its 8 readiness requests of 2 s each, the stuck one soon after the first, as
# the channel is closed under it.
late='the keyboard driver did not answer within 2000 ms'
stalled() { # MODE BOUND REASON
  step "tvrtool program against a driver that never answers ($1)"
  rm -f "$drive/tvdrv.log"
  touch "$drive/tvdrv.$1"
  local start=$SECONDS status=0
  run 120 'C:\Tavrin\tvrtool.exe' program 'C:\t\western.tvr' --key 1 || status=$?
  local took=$((SECONDS - start))
  rm "$drive/tvdrv.$1"
  [ "$status" -eq 1 ] || fail "$1: tvrtool program ended with status $status"
  [ "$took" -le "$2" ] || fail "$1: the run took $took s"
  grep -Fxq 'Failed to program.' "$work/out" || fail "$1: the run said: $(cat "$work/out")"
  grep -Fxq "tvrtool: program: $3" "$work/err" || fail "$1: the reason given: $(cat "$work/err")"
  [ -f "$drive/tvdrv.log" ] || fail "$1: the driver was never loaded"
  echo "  $took s"
}
stalled hold 60 "$late"
grep -Fxq cancelled "$drive/tvdrv.log" || fail "hold: the driver saw no request cancelled"
stalled stuck 20 "$late, and kept the request when it was cancelled"
grep -Fxq unload "$drive/tvdrv.log" || fail "stuck: the driver was not unloaded after the run"

step "Tavrin's Prog One against a driver that holds requests"
rm -f "$drive/tvdrv.log"
# The driver takes its mode when it is loaded, which Tavrin has done as it starts.
touch "$drive/tvdrv.hold"
wine 'C:\Tavrin\tavrin.exe' >>"$winelog" 2>&1 &
pid=$!
main=$(window_named Tavrin) || fail "stalled Prog One: no Tavrin window"
start=$SECONDS
keys_to "$main" Right alt+c Down Down Down Return
# The progress window, then the failure box; only the second is asked for its text.
seen=()
result=""
while [ $((SECONDS - start)) -le 60 ]; do
  for w in $(windows_named Tavrin); do
    [ "$w" = "$main" ] || [[ " ${seen[*]} " == *" $w "* ]] || seen+=("$w")
  done
  [ ${#seen[@]} -ge 2 ] && result=$(box_text "${seen[-1]}") && [ -n "$result" ] && break
  sleep 0.2
done
rm "$drive/tvdrv.hold"
[ -n "$result" ] || fail "stalled Prog One: no result within $((SECONDS - start)) s"
echo "  the result after $((SECONDS - start)) s"
[[ "$result" == *"Failed to program."*"$late"* ]] || fail "stalled Prog One: the box said: $result"
keys_to "${seen[-1]}" Return
closed Tavrin "${seen[-1]}" || fail "stalled Prog One: Return did not close the failure box"
quit "stalled Prog One" "$pid" "$main"
grep -Fxq cancelled "$drive/tvdrv.log" || fail "stalled Prog One: no request was cancelled"

step "uninstalling silently"
run 120 'C:\Tavrin\Uninstall.exe' /S || fail "the uninstaller failed"
for _ in $(seq 100); do [ -e "$app/tavrin.exe" ] || break; sleep 0.1; done
[ ! -e "$app/tavrin.exe" ] || fail "the uninstaller left tavrin.exe"
[ ! -e "$app/Qt6Core.dll" ] || fail "the uninstaller left the Qt libraries"
find "$drive" -name 'Tavrin.lnk' -path '*Start Menu*' | grep -q . &&
  fail "the uninstaller left the Start-menu entry"
run 60 reg query 'HKCR\.tvr' /ve && fail "the uninstaller left the .tvr file type"
echo "[$((SECONDS - started)) s] under $(wine --version 2>/dev/null)"
echo "wine: $steps passed, 0 failed"
