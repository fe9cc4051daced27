#!/usr/bin/env bash
# Builds TRVXnml, writes the demo sample set to demo/ and converts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
rm -rf demo
build/trvxnml sample demo
build/trvxnml convert --output-dir demo/out demo/xnml_*.xisf
build/trvxnml inspect demo/out/*.xnml
