#!/usr/bin/env bash
# Builds and runs every test twice: a plain build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run; then fuzzes the file reader for a
# minute.
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

# The file reader against the format's rules, which the fuzz target states on its own, for a
# fixed minute from the seed corpus. New inputs it finds stay in build-fuzz/corpus.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTAVRIN_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target configfile_fuzz
mkdir -p build-fuzz/corpus
echo "Fuzzing the configuration-file reader for 60 seconds"
if ! build-fuzz/tests/fuzz/configfile_fuzz -max_total_time=60 -max_len=8192 \
  -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus >build-fuzz/fuzz.log 2>&1; then
  tail -n 40 build-fuzz/fuzz.log
  echo "FAIL: the fuzzer found a file the reader gets wrong; it is kept in build-fuzz/" >&2
  exit 1
fi
tail -n 1 build-fuzz/fuzz.log
