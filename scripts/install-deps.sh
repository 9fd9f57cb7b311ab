#!/usr/bin/env bash
# Installs the Debian packages that building and testing lufio need.
set -euo pipefail
packages=(cmake g++ clang libclang-rt-14-dev make pkg-config libgtest-dev googletest libbenchmark-dev libcli11-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
