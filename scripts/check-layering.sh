#!/usr/bin/env bash
# The stand-in host meets the module only through host/HostAPI.h and
# host/EntryPoints.h; this fails when hostapp/ includes anything else of the
# module's tree.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(grep -rnE '#include "(core|host|module|framework|process|engine|file|xnml|xml|compression|interface)/' hostapp \
      | grep -vE '#include "host/(HostAPI|EntryPoints)\.h"' || true)
if [[ -n "$bad" ]]; then
  echo "hostapp includes module internals:"
  echo "$bad"
  exit 1
fi
echo "hostapp includes only the host API declarations"
