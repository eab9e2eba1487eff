#!/usr/bin/env bash
# Builds the scan benchmark and the floor, makes a corpus of real TrueType
# files from Debian's font packages (flat and as a three-level tree, outside
# the repository), and times, on a warm cache over the same files: our
# names-only scan, the floor, fc-scan and a fontTools name read.
#
#   bench/run.sh [--corpus DIR] [--repeat N] [--no-install] [--strace]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus=/tmp/vlm-corpus
repeat=7
install=1
trace=0
while [ $# -gt 0 ]; do
  case "$1" in
    --corpus) corpus=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --no-install) install=0; shift ;;
    --strace) trace=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
build=$root/build/bench

# ---- Tools and fonts -----------------------------------------------------------
packages=(fonts-noto-core fonts-noto-extra fonts-noto-ui-core fonts-noto-ui-extra
          fonts-freefont-ttf fonts-liberation2 fontconfig python3-fonttools)
[ "$trace" = 1 ] && packages+=(strace)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$install" = 1 ]; then
    echo "installing: ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "missing packages: ${missing[*]}" >&2
  fi
fi

# ---- Build ---------------------------------------------------------------------
cmake -G Ninja -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
ninja -C "$build" scan_bench floor >/dev/null
scan_bench=$build/bench/scan_bench
floor=$build/bench/floor

# ---- Corpus --------------------------------------------------------------------
# Every TrueType file of the installed font packages. Where they give fewer
# than $target files, each is copied again under a new name until there are
# that many, so that per-font figures are not lost in start-up costs.
target=2642
mapfile -t sources < <(find /usr/share/fonts /usr/share/wine/fonts -type f -iname '*.ttf' 2>/dev/null | sort)
wanted=${#sources[@]}
[ "$wanted" -lt "$target" ] && wanted=$target
if [ ! -f "$corpus/.count" ] || [ "$(cat "$corpus/.count")" != "$wanted" ]; then
  echo "making the corpus in $corpus: $wanted files from ${#sources[@]} sources"
  rm -rf "$corpus"
  mkdir -p "$corpus/flat" "$corpus/tree"
  for ((i = 0; i < wanted; i++)); do
    f=${sources[i % ${#sources[@]}]}
    name=$(printf '%05d-%s' "$i" "$(basename "$f")")
    cp "$f" "$corpus/flat/$name"
    # Three levels of four folders each.
    dir=$corpus/tree/a$((i % 4))/b$((i / 4 % 4))/c$((i / 16 % 4))
    mkdir -p "$dir"
    cp "$f" "$dir/$name"
  done
  echo "$wanted" > "$corpus/.count"
fi
count=$(cat "$corpus/.count")
if [ "${#sources[@]}" -lt 2000 ]; then
  echo "note: ${#sources[@]} distinct TrueType files, copied up to $count" >&2
fi

# Warm the cache: every file read once.
cat "$corpus"/flat/* "$corpus"/tree/*/*/*/* > /dev/null

us_per_font() { awk -v s="$1" -v n="$2" 'BEGIN { printf "%.1f", s * 1e6 / n }'; }
now() { date +%s.%N; }

echo
echo "== $count fonts, tree of 3 levels, warm cache, best of $repeat runs"
ours_out=$("$scan_bench" "$corpus/tree" --repeat "$repeat" --depth 3)
echo "$ours_out"
floor_out=$("$floor" "$corpus/tree" --repeat "$repeat")
echo "$floor_out"
ours=$(echo "$ours_out" | sed -n 's/.* \([0-9.]*\) us per font.*/\1/p')
flo=$(echo "$floor_out" | sed -n 's/.* \([0-9.]*\) us per font.*/\1/p')
ours_cpu=$(echo "$ours_out" | sed -n 's/.* \([0-9.]*\) us CPU per font.*/\1/p')
flo_cpu=$(echo "$floor_out" | sed -n 's/.* \([0-9.]*\) us CPU per font.*/\1/p')

fc=""
if command -v fc-scan >/dev/null; then
  fc-scan --format '%{fullname}\n' "$corpus/tree" > /dev/null  # warm
  start=$(now)
  fc-scan --format '%{fullname}\n' "$corpus/tree" > /dev/null
  fc=$(us_per_font "$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')" "$count")
  echo "fc-scan: $fc us per font (one run, process included)"
fi

ft=""
if /usr/bin/python3 -c 'import fontTools' 2>/dev/null; then
  ft=$(/usr/bin/python3 - "$corpus/tree" <<'PY'
import os, sys, time
from fontTools.ttLib import TTFont
files = [os.path.join(d, f) for d, _, fs in os.walk(sys.argv[1]) for f in fs if f.lower().endswith('.ttf')]
def run():
    for f in files:
        with TTFont(f, lazy=True) as font:
            font['name'].getDebugName(4)
run()
start = time.perf_counter(); run(); elapsed = time.perf_counter() - start
print('%.1f' % (elapsed * 1e6 / len(files)))
PY
)
  echo "fontTools name read: $ft us per font"
fi

echo
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
echo "ours / floor:      $(ratio "$ours" "$flo")   (target <= 1.5; CPU time: $(ratio "$ours_cpu" "$flo_cpu"))"
[ -n "$fc" ] && echo "fc-scan / ours:    $(ratio "$fc" "$ours")   (target >= 12)"
[ -n "$ft" ] && echo "fontTools / ours:  $(ratio "$ft" "$ours")"

if [ "$trace" = 1 ] && command -v strace >/dev/null; then
  echo
  echo "== system calls per font (strace -c -f, one run each)"
  for prog in "$scan_bench" "$floor"; do
    total=$(strace -f -c -o /dev/stdout "$prog" "$corpus/tree" --repeat 1 2>/dev/null |
            awk '/^100.00/ { print $4 }')
    echo "$(basename "$prog"): $(awk -v t="$total" -v n="$count" 'BEGIN { printf "%.2f", t / n }') calls per font ($total in all, start-up included)"
  done
fi
