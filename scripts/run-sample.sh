#!/usr/bin/env bash
# Builds the lufio program (installing the few Debian packages it needs) and
# runs it over the sample text, line by line, with a 48-byte line buffer.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
for p in cmake g++ make libcli11-dev; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -ne 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build/sample -DCMAKE_BUILD_TYPE=Release -DLUFIO_TESTS=OFF >/dev/null
cmake --build build/sample --target lufio_cli -j2 >/dev/null
exec build/sample/tools/lufio lines examples/sample.txt --buffer 48 "$@"
