#!/usr/bin/env bash
# scripts/screenshot returns, with its picture, and leaves nothing of its run
# behind, although the program it shows would run for ever.
#   check_screenshot.sh SCREENSHOT PROGRAM.exe PREFIX
set -uo pipefail
screenshot=$1 exe=$2 prefix=$3
shot=$(mktemp --suffix=.png)
# Whatever happened, nothing of this check stays running.
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; rm -f "$shot"' EXIT

# Another run holds the prefix for a while, as one setting it up does: the
# program appears late.
mkdir -p "$(dirname "$prefix")"
(flock 9; sleep 25) 9>"$prefix.lock" &
holder=$!
sleep 0.5

fail=0
env -u DISPLAY VLM_WINEPREFIX="$prefix" timeout 150 "$screenshot" "$exe" 3 "$shot" >/dev/null
rc=$?
wait "$holder"
[ "$rc" -eq 0 ] || { echo "FAIL: scripts/screenshot did not return by itself (exit $rc)"; fail=1; }
[ -s "$shot" ] || { echo "FAIL: no screenshot in $shot"; fail=1; }
# Every process of the run, a display it started included, has the prefix in
# its environment; a killed one may take a moment to go.
running() { grep -lzxF "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null | wc -l; }
for _ in $(seq 50); do [ "$(running)" -eq 0 ] && break; sleep 0.1; done
left=$(running)
[ "$left" -eq 0 ] || { echo "FAIL: $left processes of the run still running"; fail=1; }
[ "$fail" -eq 0 ] && echo "scripts/screenshot returned and ended its run"
exit "$fail"
