#!/usr/bin/env bash
# Writes the interface baseline in abi/ from this tree (README, "Releasing"): lufio as it
# ships, built by g++ for Linux (abidw's descriptions of liblufio.so and liblusys.so) and by
# mingw-w64 g++ for Windows (the export names of liblufio.dll and liblusys.dll), in
# build/abi-baseline/. Commit what it changes in abi/.
set -euo pipefail
cd "$(dirname "$0")/.."
for build in linux windows; do
  options=(-DCOMPILER=g++)
  [ $build = windows ] && options=(-DTOOLCHAIN="$PWD/cmake/mingw-w64-x86_64.cmake")
  cmake -DSOURCE="$PWD" -DBINARY="$PWD/build/abi-baseline/$build" -DGENERATOR="Unix Makefiles" "${options[@]}" \
    -DUPDATE=ON -P cmake/CheckAbi.cmake
done
git status --short -- abi
