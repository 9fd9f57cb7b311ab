#!/usr/bin/env bash
# Every test of lufio: installs what is missing, then builds and runs the
# suites under each preset.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in dev clang; do
  echo "=== preset $preset"
  cmake --workflow --preset "$preset" --fresh
done
