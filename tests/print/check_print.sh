#!/usr/bin/env bash
# Runs print_sheets.exe under Wine and reads back the three PDFs the PDF
# printer made of its jobs (VLM_PDF_DIR, set by scripts/test through
# scripts/printer): pages, titles, samples and information lines.
#   check_print.sh WINE-RUN PRINT_SHEETS.EXE
set -uo pipefail
wine_run=$1 exe=$2
dir=${VLM_PDF_DIR:-}
if [ -z "$dir" ]; then echo "SKIP: no PDF printer (VLM_PDF_DIR)"; exit 77; fi

listing() { ls -1 "$dir"/*.pdf 2>/dev/null | sort; }
before=$(listing)
"$wine_run" "$exe" || { echo "FAIL: print_sheets.exe exited $?"; exit 1; }

# The jobs, oldest first, once the printer has written them whole.
fresh=()
for _ in $(seq 600); do
  mapfile -t fresh < <(comm -13 <(echo "$before") <(listing) |
                       sed -E 's/.*job_([0-9]+)\.pdf$/\1 &/' | sort -n | cut -d' ' -f2-)
  if [ ${#fresh[@]} -ge 3 ] && pdfinfo "${fresh[0]}" >/dev/null 2>&1 && pdfinfo "${fresh[1]}" >/dev/null 2>&1 &&
     pdfinfo "${fresh[2]}" >/dev/null 2>&1; then
    break
  fi
  sleep 0.2
done
[ ${#fresh[@]} -eq 3 ] || { echo "FAIL: expected 3 new PDFs in $dir, found ${#fresh[@]}"; exit 1; }

fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; fi; }
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
count() { grep -o -- "$2" <<<"$1" | wc -l; }

# The printed text. Liberation's hyphen glyph also serves the soft hyphen, and
# the printer driver names it so: it is read back as the hyphen it shows.
text() { pdftotext -layout "$1" - | sed 's/\xc2\xad/-/g'; }
first=$(text "${fresh[0]}")
check "titled sheet is one page" '[ "$(pages "${fresh[0]}")" = 1 ]'
check "title printed once" '[ "$(count "$first" "Velmara Test Collection")" = 1 ]'
check "three samples" '[ "$(count "$first" "Sphinx of black quartz")" = 3 ]'
# The information lines in row order, each naming its font and then its file.
order=$(grep -n -o -E "DejaVu Sans Mono|DejaVu Sans|Liberation Serif|Z:.usr.share.fonts[^ ]*" <<<"$first" |
        cut -d: -f2- | tr '\n' '|')
check "information lines in row order ($order)" \
  '[ "$order" = "DejaVu Sans|Z:\usr\share\fonts\truetype\dejavu\DejaVuSans.ttf|DejaVu Sans Mono|Z:\usr\share\fonts\truetype\dejavu\DejaVuSansMono.ttf|Liberation Serif|Z:\usr\share\fonts\truetype\liberation\LiberationSerif-Regular.ttf|" ]'

second=$(text "${fresh[1]}")
check "long sheet is two pages" '[ "$(pages "${fresh[1]}")" = 2 ]'
check "title on the first page only" '[ "$(count "$second" "Long")" = 1 ]'
check "sixteen samples" '[ "$(count "$second" "Sphinx of black quartz")" = 16 ]'
check "title before the page break" '[ -n "$(awk "BEGIN { RS = \"\\f\" } NR == 1" <<<"$second" | grep Long)" ]'

# A face with PostScript outlines, drawn as its outlines (Wine's printer
# driver crashes on such a font), then the monospaced second face of a
# collection, as text.
third=$(text "${fresh[2]}")
check "one sample as text, in the collection's second face" \
  '[ "$(count "$third" "Sphinx of black quartz")" = 1 ] && pdffonts "${fresh[2]}" | grep -q "WenQuanYiMicroHeiMono"'
order=$(grep -o -E "NimbusSans-Regular|WenQuanYi Micro Hei Mono|Z:[^ ]*(otf|ttc)" <<<"$third" | tr '\n' '|')
check "information lines in row order ($order)" \
  '[ "$order" = "NimbusSans-Regular|Z:\usr\share\fonts\opentype\urw-base35\NimbusSans-Regular.otf|WenQuanYi Micro Hei Mono|Z:\usr\share\fonts\truetype\wqy\wqy-microhei.ttc|" ]'
# Ink in the band above the first information line: the outlined sample.
info_top=$(pdftotext -bbox "${fresh[2]}" - | grep -m1 -o 'yMin="[0-9.]*"[^>]*>NimbusSans' | sed -E 's/yMin="([0-9.]*)".*/\1/')
band_top=$(awk -v y="${info_top:-0}" 'BEGIN { printf "%d", y - 20 }')
ink=$(pdftoppm -r 72 -gray -f 1 -l 1 -x 0 -y "$band_top" -W 595 -H 18 "${fresh[2]}" |
      convert - -format '%[fx:1-mean]' info:)
check "the outlined sample is drawn (ink $ink above the line at ${info_top:-none})" \
  '[ -n "$info_top" ] && awk -v ink="${ink:-0}" "BEGIN { exit !(ink > 0.02) }"'

# A picture of the first page, for whoever looks.
pdftoppm -png -r 60 -f 1 -l 1 "${fresh[0]}" "${VLM_PRINT_PICTURE:-/tmp/vlm-sample-sheet}" 2>/dev/null

[ $fail -eq 0 ] && echo "print: 3 sheets checked (${fresh[*]})"
exit $fail
