#!/usr/bin/env bash
# Traces `lufio copy` and prints the order of its storing steps, one letter
# each: D the copy's data stored, R the copy put in DST's place, F the folder
# stored. A durable copy prints DRF on Linux (strace) and DR under Wine
# (WINEDEBUG=+relay, unless PROGRAM sets WINEDEBUG itself; Windows stores no
# folder).
#
#   sync_order.sh strace|relay PROGRAM... -- copy ARGS...
set -euo pipefail
tracer=$1
shift
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
if [ "$tracer" = strace ]; then
  # LeakSanitizer cannot work under ptrace.
  export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
  strace -f -y -qq -e trace=fsync,fdatasync,rename,renameat,renameat2 -o "$trace" "$@" >/dev/null
  # The back-end's own Flush may store the data first: one D for both.
  awk '/rename/ { printf "R"; next } /lufio-save/ { printf "D"; next } /sync\(/ { printf "F" }' "$trace" | tr -s D
else
  WINEDEBUG=+relay "$@" >/dev/null 2>"$trace"
  awk '/:Call [A-Za-z0-9]+\.FlushFileBuffers\(/ { printf "D" } /:Call [A-Za-z0-9]+\.(ReplaceFileA|MoveFileExA)\(/ { printf "R" }' \
    "$trace" | tr -s D
fi
echo
