#!/usr/bin/env bash
# The module library exports the three entry points and nothing else, and the
# host executable does not link the module (it loads it at run time).
# Usage: check-exports.sh MODULE.so TRVXNML_EXECUTABLE
set -euo pipefail
module=$1 host=$2
exported=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
expected="IdentifyPixInsightModule InitializePixInsightModule InstallPixInsightModule "
if [[ "$exported" != "$expected" ]]; then
  echo "$module exports: $exported"
  echo "expected only:   $expected"
  exit 1
fi
if ldd "$host" | grep -q "$(basename "$module")"; then
  echo "$host links $(basename "$module"); it must load it at run time"
  exit 1
fi
echo "exports: $exported; $(basename "$host") loads the module at run time"
