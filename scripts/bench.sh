#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmarks in Release and prints their tables of figures: start-up, memory and files
# under a virtual X server when there is no display, so that painting goes through a real one;
# then programming runs against the keyboard simulator (--quick leaves out the minute-long one),
# and tvrtool's batch subcommands.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The virtual X server and the build tools come from the same packages the tests need.
bash scripts/setup-machine.sh test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target tavrin_bench prog_bench tool_bench

if [[ -n "${DISPLAY:-}" ]]; then
    build-bench/bench/tavrin_bench
else
    xvfb-run -a build-bench/bench/tavrin_bench
fi
# Programming runs against the keyboard simulator; the full keyboard run alone takes a minute.
echo
build-bench/bench/prog_bench "$@"
# tvrtool: check and export of 1,000 files, a render to PDF; needs no display.
echo
build-bench/bench/tool_bench
