#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(g++ cmake make pkg-config liblz4-dev libzstd-dev zlib1g-dev libexpat1-dev
          libgtest-dev libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "missing packages: ${missing[*]} (run as root to install them)" >&2; exit 1; }
    sudo="sudo"
  fi
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A decimal-comma locale lets the tests prove that header numbers are read
# independently of the process locale; without it that one test is skipped.
if [[ $(id -u) -eq 0 ]] && command -v localedef >/dev/null && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
fi
