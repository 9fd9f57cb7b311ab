#!/usr/bin/env bash
# Every test of lufio: installs what is missing, then builds and runs the
# suites under each preset: g++ and clang++ on Linux, then the Windows DLL
# cross-built with mingw-w64 and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in dev clang windows; do
  echo "=== preset $preset"
  start=$SECONDS
  cmake --workflow --preset "$preset" --fresh
  echo "=== preset $preset: $((SECONDS - start)) s"
done
