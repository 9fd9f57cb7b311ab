#!/bin/bash
# ls_tree.sh LUFIO DIR: `LUFIO ls -R DIR` lists what find lists below DIR, each entry with its
# type and size: a folder "dir" of size 0, a FIFO, socket or device by its kind, a link typed by
# where it leads with size 0, anything else "file" with its size. Prints "same N entries", or the difference and fails.
set -euo pipefail
lufio=$1 dir=$2
ours=$(mktemp) theirs=$(mktemp)
trap 'rm -f "$ours" "$theirs"' EXIT
"$lufio" ls -R "$dir" | awk '{ path = $0; sub(/^[^ ]+ +[0-9]+ [^ ]+ /, "", path); print $1, $2, path }' | LC_ALL=C sort >"$ours"
find "$dir" -mindepth 1 -printf '%y %Y %s %P\n' | awk 'BEGIN {
  kind["d"] = "dir"; kind["p"] = "fifo"; kind["s"] = "sock"; kind["c"] = "chr"; kind["b"] = "blk" } {
  t = $1 == "l" ? $2 : $1
  type = t in kind ? kind[t] : "file"
  size = $1 == "d" || $1 == "l" ? 0 : $3
  path = $0; sub(/^[^ ]+ [^ ]+ [0-9]+ /, "", path)
  print type, size, path }' | LC_ALL=C sort >"$theirs"
diff "$theirs" "$ours" >&2
echo "same $(wc -l <"$ours") entries"
