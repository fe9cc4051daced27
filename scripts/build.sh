#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
# The build log is kept in build/build.log; on failure its tail is shown.
# Benchmarks are built only with TRVX_BUILD_BENCH=ON (scripts/bench.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTRVX_BUILD_BENCH="${TRVX_BUILD_BENCH:-OFF}" >/dev/null
if ! cmake --build build -j"$(nproc)" >build/build.log 2>&1; then
  grep -E "error|Error" build/build.log | head -40
  tail -20 build/build.log
  exit 1
fi
