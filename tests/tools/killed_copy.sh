#!/usr/bin/env bash
# Kills `lufio copy` with SIGKILL at random moments, ROUNDS times per back-end,
# and checks that DST always holds either its old bytes or every byte of SRC,
# never a mix; prints how often each was seen. Only the copy's own new file
# (.lufio-save-...) may be left, as no program can act on SIGKILL.
#
#   killed_copy.sh PROGRAM FOLDER ROUNDS
set -euo pipefail
program=$1 dir=$2 rounds=$3
rm -rf "$dir" && mkdir -p "$dir"
head -c 3000000 /dev/urandom >"$dir/src"
head -c 1000000 /dev/urandom >"$dir/old"
for backend in win crt stdio ios; do
  old=0 new=0
  for ((round = 0; round < rounds; round++)); do
    cp "$dir/old" "$dir/dst"
    "$program" copy --backend "$backend" "$dir/src" "$dir/dst" &
    sleep "$(printf "0.%03d" $((RANDOM % 40)))"
    kill -KILL $! 2>/dev/null || true
    wait $! 2>/dev/null || true
    if cmp -s "$dir/dst" "$dir/old"; then
      old=$((old + 1))
    elif cmp -s "$dir/dst" "$dir/src"; then
      new=$((new + 1))
    else
      echo "$backend, round $round: DST is neither the old file nor the copy ($(stat -c %s "$dir/dst") bytes)"
      exit 1
    fi
    rm -f "$dir"/.lufio-save-*
  done
  echo "$backend: old $old, new $new"
done
