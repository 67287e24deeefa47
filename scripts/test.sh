#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every test twice: a plain build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run; then fuzzes the file reader and
# the reader of tvrtool import for a minute each; last, builds the Windows programs and
# installer and runs them under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-machine.sh test
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

# The file reader against the format's rules, and the reader of tvrtool import against what an
# accepted document must give, each stated in its fuzz target on its own, for a fixed minute
# each from its seed corpus. New inputs they find stay in build-fuzz/.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAVRIN_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target configfile_fuzz import_fuzz

fuzz() { # TARGET SEEDS MAX_LEN WHAT
  mkdir -p "build-fuzz/$1-corpus"
  echo "Fuzzing $4 for 60 seconds"
  if ! "build-fuzz/tests/fuzz/$1" -max_total_time=60 -max_len="$3" -artifact_prefix="build-fuzz/$1-" \
    "build-fuzz/$1-corpus" "$2" >"build-fuzz/$1.log" 2>&1; then
    tail -n 40 "build-fuzz/$1.log"
    echo "FAIL: the fuzzer found an input $4 gets wrong; it is kept in build-fuzz/" >&2
    exit 1
  fi
  tail -n 1 "build-fuzz/$1.log"
}
fuzz configfile_fuzz tests/fuzz/corpus 8192 "the configuration-file reader"
# A Tavrin layout's JSON is about 20 KB; the reader refuses anything over 1 MB unparsed.
fuzz import_fuzz tests/fuzz/import-corpus 32768 "the reader of tvrtool import"

# The Windows build: cross-compiled with MinGW-w64 (against a Qt for Windows built once and kept
# in the user's cache), packaged, installed and run under Wine.
bash scripts/windows.sh test
