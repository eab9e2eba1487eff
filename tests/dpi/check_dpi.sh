#!/usr/bin/env bash
# Runs fit_at_dpi at each display scale in one Wine prefix of its own (the
# shared test prefix stays at 96 dpi), shared by the build trees: a prefix
# takes hundreds of megabytes, and disks are not always large. The scale goes
# in with the prefix's server stopped, since a process reads it at start.
#   check_dpi.sh WINE-RUN FIT_AT_DPI.exe PREFIX [DPI...]
set -uo pipefail
wine_run=$1 program=$2
export VLM_WINEPREFIX=$(realpath -m "$3")
shift 3
scales=("${@:-96 120 144 192}")
# shellcheck disable=SC2206
scales=(${scales[*]})
mkdir -p "$(dirname "$VLM_WINEPREFIX")"
stop() { WINEPREFIX="$VLM_WINEPREFIX" wineserver -k 2>/dev/null; WINEPREFIX="$VLM_WINEPREFIX" wineserver -w 2>/dev/null; }
stop
status=0
for dpi in "${scales[@]}"; do
  # Made (and given its fonts) on first use.
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$wine_run" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  WINEPREFIX="$VLM_WINEPREFIX" wineserver -w
  "$wine_run" "$program" "$dpi" || status=1
  stop
done
exit $status
