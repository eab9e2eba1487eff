#!/usr/bin/env bash
# Runs fit_at_dpi at each display scale, each in a Wine prefix of its own (the
# shared test prefix stays at 96 dpi); the scale is set before its server starts.
#   check_dpi.sh WINE-RUN FIT_AT_DPI.exe PREFIXES-FOLDER [DPI...]
set -uo pipefail
wine_run=$1 program=$2 prefixes=$(realpath -m "$3")
shift 3
scales=("${@:-96 120 144 192}")
# shellcheck disable=SC2206
scales=(${scales[*]})
mkdir -p "$prefixes"
status=0
for dpi in "${scales[@]}"; do
  export VLM_WINEPREFIX="$prefixes/$dpi"
  # Made (and given its fonts) on first use; the scale goes in with the server stopped after.
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$wine_run" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  WINEPREFIX="$VLM_WINEPREFIX" wineserver -w
  "$wine_run" "$program" "$dpi" || status=1
  WINEPREFIX="$VLM_WINEPREFIX" wineserver -k 2>/dev/null
done
exit $status
