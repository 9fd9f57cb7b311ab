#!/usr/bin/env bash
# Runs two `lufio copy` of different sources to one DST at once, ROUNDS times
# per back-end: both must succeed, DST must be one whole source, and nothing
# else may be left in its folder.
#
#   concurrent_copies.sh FOLDER ROUNDS PROGRAM...
set -euo pipefail
dir=$1 rounds=$2
shift 2
rm -rf "$dir" && mkdir -p "$dir/out"
head -c 300000 /dev/urandom >"$dir/a"
head -c 300000 /dev/urandom >"$dir/b"
for backend in win crt stdio ios; do
  for ((round = 0; round < rounds; round++)); do
    "$@" copy --backend "$backend" "$dir/a" "$dir/out/dst" & first=$!
    "$@" copy --backend "$backend" "$dir/b" "$dir/out/dst" & second=$!
    failed=0
    wait $first || failed=1
    wait $second || failed=1
    left=$(ls -A "$dir/out")
    if [ $failed != 0 ] || [ "$left" != dst ] || ! { cmp -s "$dir/out/dst" "$dir/a" || cmp -s "$dir/out/dst" "$dir/b"; }; then
      echo "$backend, round $round: a copy failed ($failed), or the folder holds '$left', or DST is no whole source"
      exit 1
    fi
  done
  echo "$backend: $rounds rounds"
done
