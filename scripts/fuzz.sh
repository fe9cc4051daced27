#!/usr/bin/env bash
# Builds xisf_reader_fuzzer with clang and runs it on a writer-made seed corpus: scripts/fuzz.sh [SECONDS=600] [BUILD_DIR=build-fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build="${2:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRVX_BUILD_FUZZ=ON -DTRVX_BUILD_TESTS=OFF -DTRVX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target xisf_reader_fuzzer xisf_make_corpus
seeds="$build/fuzz/seeds"
corpus="$build/fuzz/corpus"
mkdir -p "$seeds" "$corpus" "$build/fuzz/artifacts"
"$build/fuzz/xisf_make_corpus" "$seeds"
# New inputs go to the first corpus directory; the seeds stay as written.
"$build/fuzz/xisf_reader_fuzzer" "$corpus" "$seeds" -dict=fuzz/xisf.dict \
  -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
  -artifact_prefix="$build/fuzz/artifacts/"
