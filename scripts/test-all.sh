#!/usr/bin/env bash
# Every test of lufio: installs what is missing, then
#   dev, clang   the Linux suites with g++ and clang++ (dev also the API reference)
#   windows      the DLL cross-built with mingw-w64, the suite under Wine; its
#                consumer.zip test runs the windows-sdk workflow and checks the zip
#   windows-clang the same built by clang++ for x86_64-w64-mingw32 (and windows-clang-sdk)
#   msvc-check   every target compiled by clang-cl in MSVC mode, nothing linked
#   workflows    .github/workflows/ checked by action-validator (from npm)
#   asan         the suite under AddressSanitizer, UBSan and LeakSanitizer
#   tsan         the suite under ThreadSanitizer (library and tests only)
#   coverage     the suites instrumented by gcov, then gcovr's report once they have ended
#   valgrind     the dev build's test programs under memcheck
#   fuzz         each libFuzzer target for a short run over its seeds
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
total=$SECONDS
step() {
  local name=$1
  shift
  echo "=== $name"
  local start=$SECONDS
  "$@"
  echo "=== $name: $((SECONDS - start)) s"
}
for preset in dev clang windows windows-clang msvc-check asan tsan coverage; do
  step "preset $preset" cmake --workflow --preset "$preset" --fresh
done
lint_workflows() {
  local tools=build/npm-tools
  if [ ! -x $tools/node_modules/.bin/action-validator ]; then
    npm install --no-audit --no-fund --prefix $tools @action-validator/cli@0.6.0 @action-validator/core@0.6.0
  fi
  local file
  for file in .github/workflows/*.yml; do
    $tools/node_modules/.bin/action-validator "$file"
  done
}
step workflows lint_workflows
step valgrind bash scripts/valgrind.sh build/dev
step "preset fuzz" cmake --workflow --preset fuzz --fresh
echo "=== all steps passed in $((SECONDS - total)) s"
