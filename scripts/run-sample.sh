#!/usr/bin/env bash
# Builds the lufio program (installing the few Debian packages it needs) and
# runs it over the sample text, line by line, with a 48-byte line buffer.
# The build uses CMAKE_BUILD_PARALLEL_LEVEL jobs (default 2); its output is
# shown only when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs a step quietly; on failure prints what it said and stops.
quietly() {
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "run-sample.sh: this step failed: $*" >&2
    exit 1
  fi
  rm -f "$log"
}

missing=()
for p in cmake g++ make libcli11-dev; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if [ ${#missing[@]} -ne 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  quietly "${sudo_cmd[@]}" apt-get update
  quietly "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
quietly cmake -S . -B build/sample -DCMAKE_BUILD_TYPE=Release -DLUFIO_TESTS=OFF
quietly cmake --build build/sample --target lufio_cli --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
exec build/sample/tools/lufio lines examples/sample.txt --buffer 48 "$@"
