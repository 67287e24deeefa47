#!/usr/bin/env bash
# Builds both programs' benchmark in Release and prints its table of figures. Without a display
# it runs under a virtual X server, so that start-up and painting go through a real one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The virtual X server and the build tools come from the same packages the tests need.
bash scripts/setup-machine.sh test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target tavrin_bench

if [[ -n "${DISPLAY:-}" ]]; then
    exec build-bench/bench/tavrin_bench
fi
exec xvfb-run -a build-bench/bench/tavrin_bench
