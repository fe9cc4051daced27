#!/usr/bin/env bash
# Builds with the benchmarks and runs the conversion benchmark (a 4096 x 4096
# RGB target; about a minute). Extra arguments go to the benchmark program,
# e.g. --size 2048.
set -euo pipefail
cd "$(dirname "$0")/.."
TRVX_BUILD_BENCH=ON bash scripts/build.sh
build/bench/bench_conversion_bench "$@"
