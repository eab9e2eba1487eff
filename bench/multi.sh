#!/usr/bin/env bash
# Builds the multiple sample view's benchmark in a Windows tree and runs it
# under Wine over some 2,600 renamed copies of Debian's fonts (written once
# into /tmp/vlm-multi-bench).
#
#   bench/multi.sh [--tree build/win32] [--copies 69] [--repeat 3] [--times K]
# --times K lists K folders of links to those fonts instead (K = 10: 26,220).
# (build/win64 where this machine runs no 32-bit programs)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root/build/win32
"$root/scripts/can-run-32bit" || tree=$root/build/win64
copies=69
repeat=3
times=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --copies) copies=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --times) times=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[ -f "$tree/build.ninja" ] || "$root/scripts/build" "$(basename "$tree")"
ninja -C "$tree" multi_bench >/dev/null
mkdir -p /tmp/vlm-multi-bench
if [ "$times" -gt 0 ]; then
  # The renamed fonts are written by a first run over their own folder.
  [ -n "$(ls /tmp/vlm-multi-bench)" ] ||
    "$root/scripts/wine-run" "$tree/bench/win/multi_bench.exe" 'Z:\tmp\vlm-multi-bench' "$copies" --repeat 1
  many=/tmp/vlm-multi-bench-x$times
  for k in $(seq -w 1 "$times"); do
    [ -d "$many/m$k" ] || { mkdir -p "$many/m$k" && cp -l /tmp/vlm-multi-bench/* "$many/m$k/"; }
  done
  "$root/scripts/wine-run" "$tree/bench/win/multi_bench.exe" "Z:${many//\//\\}" "$copies" --repeat "$repeat" --subfolders
  exit
fi
"$root/scripts/wine-run" "$tree/bench/win/multi_bench.exe" 'Z:\tmp\vlm-multi-bench' "$copies" --repeat "$repeat"
