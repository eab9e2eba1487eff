#!/usr/bin/env bash
# Builds the benchmarks and the floor, makes a corpus of real TrueType files
# from Debian's font packages (flat and as a three-level tree, outside the
# repository), and prints, each beside the floor's over the same files in the
# same run: names only (vlminfo over a folder and over a tree, the in-program
# scan), all four tables, a cold cache, vlminfo's output share, and the
# faces of collections and CFF fonts beside the floor taught their headers;
# with --wine, the font window's Installed list beside a bare registry loop, a
# key typed into a font list's filter box beside a bare list view refill, the
# character map's Unicode mode showing a face of 35,000 characters, and (in
# the 32-bit build) a library of 26,420 fonts, the corpus ten times over in ten
# folders: Browse with subfolders beside a bare Win32 loop, warm and cold, the
# memory per listed font (also of 100,396 fonts, hard links), and the list's
# operations on its rows.
#
#   bench/run.sh [--corpus DIR] [--repeat N] [--no-install] [--strace] [--wine]
#   bench/run.sh --multi [OPTIONS]   the multiple sample view under Wine (bench/multi.sh)
#
# System calls are counted with perf's tracepoints where perf may use them
# (strace's own cost would change what threads do), else with strace.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus=/tmp/vlm-corpus
repeat=7
install=1
trace=0
wine=0
while [ $# -gt 0 ]; do
  case "$1" in
    --multi) shift; exec "$root/bench/multi.sh" "$@" ;;
    --corpus) corpus=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --no-install) install=0; shift ;;
    --strace) trace=1; shift ;;
    --wine) wine=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
build=$root/build/bench

# ---- Tools and fonts -----------------------------------------------------------
packages=(fontconfig)
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
# The fonts of Debian's larger font packages, unpacked beside the corpus but
# not installed: installed, every Wine run would enumerate them too.
font_packages=(fonts-noto-core fonts-noto-extra fonts-noto-ui-core fonts-noto-ui-extra
               fonts-freefont-ttf fonts-liberation2)
unpacked=$corpus.packages
if [ ! -f "$unpacked/.done" ] && [ "$install" = 1 ]; then
  echo "unpacking: ${font_packages[*]}"
  rm -rf "$unpacked" && mkdir -p "$unpacked/debs"
  if (cd "$unpacked/debs" && apt-get download "${font_packages[@]}" >/dev/null 2>&1); then
    for deb in "$unpacked"/debs/*.deb; do dpkg -x "$deb" "$unpacked/root"; done
    rm -rf "$unpacked/debs"
    touch "$unpacked/.done"
  else
    echo "could not download ${font_packages[*]}: the installed fonts alone make the corpus" >&2
  fi
fi

# ---- Build ---------------------------------------------------------------------
cmake -G Ninja -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
ninja -C "$build" scan_bench floor output_bench vlminfo >/dev/null
scan_bench=$build/bench/scan_bench
floor=$build/bench/floor
output_bench=$build/bench/output_bench
vlminfo=$build/src/tools/vlminfo

# ---- Corpus --------------------------------------------------------------------
# Every TrueType file of the installed font packages. Where they give fewer
# than $target files, each is copied again under a new name until there are
# that many, so that per-font figures are not lost in start-up costs.
target=2642
mapfile -t sources < <(find /usr/share/fonts /usr/share/wine/fonts "$unpacked/root" -type f -iname '*.ttf' 2>/dev/null | sort)
wanted=${#sources[@]}
[ "$wanted" -lt "$target" ] && wanted=$target
stamp="$wanted files from ${#sources[@]} sources"
if [ "$(cat "$corpus/.count" 2>/dev/null)" != "$stamp" ]; then
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
  echo "$stamp" > "$corpus/.count"
fi
count=$wanted
if [ "${#sources[@]}" -lt 2000 ]; then
  echo "note: ${#sources[@]} distinct TrueType files, copied up to $count" >&2
fi

# Warm the cache: every file read once.
cat "$corpus"/flat/* "$corpus"/tree/*/*/*/* > /dev/null

flat=$corpus/flat
tree=$corpus/tree
figure() { sed -n "s/^$1: \([0-9.]*\) $2.*/\1/p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
# Best wall time and least CPU time (user + system) of a whole command, in
# microseconds per font: "WALL CPU". On a machine others share, the CPU time
# is the steadier figure.
best_us() {
  local best="" cpu="" TIMEFORMAT='%R %U %S'
  for ((r = 0; r < repeat; r++)); do
    local t
    t=$( { time "$@" > /dev/null 2>&1; } 2>&1 )
    read -r wall user sys <<< "$t"
    local w c
    w=$(awk -v a="$wall" 'BEGIN { printf "%d", a * 1e6 }')
    c=$(awk -v a="$user" -v b="$sys" 'BEGIN { printf "%d", (a + b) * 1e6 }')
    if [ -z "$best" ] || [ "$w" -lt "$best" ]; then best=$w; fi
    if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
  done
  awk -v b="$best" -v c="$cpu" -v n="$count" 'BEGIN { printf "%.1f %.1f", b / n, c / n }'
}
# System calls per font of one run of a command.
calls() {
  local total
  total=$(perf stat -x, -e raw_syscalls:sys_enter "$@" 2>&1 >/dev/null | awk -F, '/raw_syscalls/ { print $1 }')
  if ! [[ "$total" =~ ^[0-9]+$ ]] && command -v strace >/dev/null; then
    strace -f -c -o "$scratch" "$@" > /dev/null 2>&1
    total=$(awk '/^100.00/ { print $4 }' "$scratch")
  fi
  awk -v t="${total:-0}" -v n="$count" 'BEGIN { printf "%.2f", t / n }'
}
scratch=$(mktemp)
trap 'rm -f "$scratch"' EXIT
# Kilobytes a command asks to read per font (read and pread, by strace).
kb_read() {
  command -v strace >/dev/null || { echo "-"; return; }
  strace -f -e trace=read,pread64 -o "$scratch" "$@" > /dev/null 2>&1
  awk -v n="$count" '/= [0-9]+$/ { sum += $NF } END { printf "%.2f", sum / 1024 / n }' "$scratch"
}
# Opens of font files per font.
opens() {
  strace -f -e trace=openat -o "$scratch" "$@" > /dev/null 2>&1
  grep -ci '\.ttf"' "$scratch" | awk -v n="$count" '{ printf "%.2f", $1 / n }'
}
wall() { echo "${1% *}"; }
cpu() { echo "${1#* }"; }
line() { printf '%-46s %7s us/font %7s CPU  %5s calls %6s KB   x%s (CPU x%s)\n' "$@"; }
# A floor's or a bench's figures: "WALL CPU" per font.
figures() { local out; out=$("$@"); echo "$(echo "$out" | figure "[^:]*" "us per font") $(echo "$out" | figure "[^:]*" "us CPU per font")"; }

echo
echo "== 1. names only, $count fonts, warm cache, best of $repeat runs"
f_flat=$(figures "$floor" "$flat" --repeat "$repeat")
v_names=$(best_us "$vlminfo" --names-only "$flat")
f_tree=$(figures "$floor" "$tree" --repeat "$repeat")
v_list=$(best_us "$vlminfo" --list "$tree" --subfolders --depth 3)
s1=$(figures "$scan_bench" "$tree" --repeat "$repeat" --depth 3 --readers 1)
s4=$(figures "$scan_bench" "$tree" --repeat "$repeat" --depth 3)
row() {  # label, figures, floor figures, command...
  local label=$1 ours=$2 base=$3; shift 3
  line "$label" "$(wall "$ours")" "$(cpu "$ours")" "$(calls "$@")" "$(kb_read "$@")" \
       "$(ratio "$(wall "$ours")" "$(wall "$base")")" "$(ratio "$(cpu "$ours")" "$(cpu "$base")")"
}
# vlminfo is a process of its own: it is set beside the floor run the same
# way, a whole process (start, listing, exit) timed from outside, best of
# $repeat; the floor's in-loop pass leaves those costs out and is the base of
# the in-program scan.
p_flat=$(best_us "$floor" "$flat" --repeat 1)
p_tree=$(best_us "$floor" "$tree" --repeat 1)
row "floor, one folder (in-loop pass)" "$f_flat" "$f_flat" "$floor" "$flat" --repeat 1
row "floor, one folder, as a process" "$p_flat" "$p_flat" "$floor" "$flat" --repeat 1
row "vlminfo --names-only FOLDER" "$v_names" "$p_flat" "$vlminfo" --names-only "$flat"
row "floor, tree (in-loop pass)" "$f_tree" "$f_tree" "$floor" "$tree" --repeat 1
row "floor, tree, as a process" "$p_tree" "$p_tree" "$floor" "$tree" --repeat 1
row "vlminfo --list TREE --subfolders" "$v_list" "$p_tree" "$vlminfo" --list "$tree" --subfolders --depth 3
row "scan of the tree, one reader" "$s1" "$f_tree" "$scan_bench" "$tree" --repeat 1 --depth 3 --readers 1
row "scan of the tree, reader threads" "$s4" "$f_tree" "$scan_bench" "$tree" --repeat 1 --depth 3
echo "(target: x <= 1.5, at most 5 calls per font; vlminfo beside the floor as a process, the scan"
echo " beside its in-loop pass; calls and KB include start-up and listing;"
echo " the floor's KB include its 1 KB first read, ours a directory read from byte 4)"

echo
echo "== 2. all four tables (name, head, hhea, OS/2), warm cache"
f_all=$(figures "$floor" "$flat" --repeat "$repeat" --all)
v_all=$(best_us "$vlminfo" "$flat")
after_out=$("$scan_bench" "$flat" --repeat "$repeat" --flat --all)
after="$(echo "$after_out" | figure "scan_bench all tables after the scan" "us per font") $(echo "$after_out" | figure "scan_bench all tables after the scan" "us CPU per font")"
p_all=$(best_us "$floor" "$flat" --repeat 1 --all)
row "floor, all tables (in-loop pass)" "$f_all" "$f_all" "$floor" "$flat" --repeat 1 --all
row "floor, all tables, as a process" "$p_all" "$p_all" "$floor" "$flat" --repeat 1 --all
row "vlminfo FOLDER (all tables)" "$v_all" "$p_all" "$vlminfo" "$flat"
line "records of a scan asked for their values" "$(wall "$after")" "$(cpu "$after")" "-" \
     "$(echo "$after_out" | figure "scan_bench all tables after the scan" "KB read per font")" \
     "$(ratio "$(wall "$after")" "$(wall "$f_all")")" "$(ratio "$(cpu "$after")" "$(cpu "$f_all")")"
echo "font files opened per font: vlminfo all tables $(opens "$vlminfo" "$flat"), names only $(opens "$vlminfo" --names-only "$flat")"
echo "(target: x <= 1.5, one open per font)"

echo
echo "== 3. cold cache, the tree, best of 3"
cold=$("$floor" "$tree" --repeat 3 --cold)
echo "$cold" | head -1
fc1=$(echo "$cold" | figure floor "us per font")
fc8=$("$floor" "$tree" --repeat 3 --cold --readers 8 | figure floor "us per font")
oc1=$("$scan_bench" "$tree" --repeat 3 --depth 3 --cold --readers 1 | figure scan_bench "us per font")
oc4=$("$scan_bench" "$tree" --repeat 3 --depth 3 --cold | figure scan_bench "us per font")
cold_line() { printf '%-46s %7s us/font   x%s\n' "$1" "$2" "$(ratio "$2" "$fc1")"; }
cold_line "floor, one reader" "$fc1"
cold_line "floor, eight readers" "$fc8"
cold_line "scan, one reader (SetScanReaders(1))" "$oc1"
cold_line "scan, reader threads (default)" "$oc4"
echo "(target: the scan with reader threads x <= 0.6 of the one-reader floor)"

echo
echo "== 5. vlminfo's own output"
"$output_bench" "$flat" --repeat "$repeat"
"$output_bench" "$flat" --repeat "$repeat" --names-only
echo "(target: output <= 10 % of the run)"

echo
echo "== 6. collections and CFF fonts (.ttc, .otc, .otf of the installed packages), names only, warm cache"
formats=$corpus/formats
if [ ! -f "$formats/.done" ]; then
  rm -rf "$formats" && mkdir -p "$formats"
  # Ten names for each file (links where the file system allows them), so
  # that per-face figures are not lost in start-up costs.
  mapfile -t found < <(find /usr/share/fonts -type f \( -iname '*.ttc' -o -iname '*.otc' -o -iname '*.otf' \) | sort)
  for f in "${found[@]}"; do
    for i in 0 1 2 3 4 5 6 7 8 9; do
      ln "$f" "$formats/$i-$(basename "$f")" 2>/dev/null || cp "$f" "$formats/$i-$(basename "$f")"
    done
  done
  touch "$formats/.done"
fi
cat "$formats"/* > /dev/null
f_out=$("$floor" "$formats" --repeat "$repeat" --formats)
faces=$(echo "$f_out" | sed -n 's/^floor: \([0-9]*\) fonts.*/\1/p')
if [ "${faces:-0}" -gt 0 ]; then
  f_fmt="$(echo "$f_out" | figure floor "us per font") $(echo "$f_out" | figure floor "us CPU per font")"
  files=$(find "$formats" -type f ! -name .done | wc -l)
  saved_count=$count
  count=$faces  # the figures below are per face
  p_fmt=$(best_us "$floor" "$formats" --repeat 1 --formats)
  v_fmt=$(best_us "$vlminfo" --names-only "$formats")
  s_fmt=$(figures "$scan_bench" "$formats" --repeat "$repeat" --flat)
  row "floor, $faces faces in $files files (in-loop)" "$f_fmt" "$f_fmt" "$floor" "$formats" --repeat 1 --formats
  row "floor, as a process" "$p_fmt" "$p_fmt" "$floor" "$formats" --repeat 1 --formats
  row "vlminfo --names-only FOLDER" "$v_fmt" "$p_fmt" "$vlminfo" --names-only "$formats"
  row "scan of the folder, reader threads" "$s_fmt" "$f_fmt" "$scan_bench" "$formats" --repeat 1 --flat
  count=$saved_count
  echo "(target: x <= 1.5 per face; figures per face, not per file)"
else
  echo "no collection or CFF font is installed (scripts/setup installs fonts-noto-cjk and fonts-urw-base35)"
fi

if command -v fc-scan >/dev/null; then
  echo
  fc-scan --format '%{fullname}\n' "$tree" > /dev/null  # warm
  fc=$(best_us fc-scan --format '%{fullname}\n' "$tree")
  echo "fc-scan over the tree: $(wall "$fc") us per font, $(cpu "$fc") CPU (process included)"
fi

if [ "$wine" = 1 ]; then
  echo
  echo "== 4. the font window's Installed list under Wine (build/win64)"
  exe=$root/build/win64/bench/win/installed_bench.exe
  if [ -x "$exe" ]; then
    "$root/scripts/wine-run" "$exe" "Z:${flat//\//\\}"
    echo "-- the whole new font window, beside the same loop"
    "$root/scripts/wine-run" "${exe%installed_bench.exe}window_bench.exe" "Z:${flat//\//\\}"
    echo "-- a key in the filter box of a list of 26,000 fonts, beside a bare view refill"
    "$root/scripts/wine-run" "${exe%installed_bench.exe}filter_bench.exe" 26000
    echo "-- the character map's Unicode mode showing a CJK face and a Latin one"
    "$root/scripts/wine-run" "${exe%installed_bench.exe}charmap_bench.exe"
  else
    echo "build it first: scripts/build win64" >&2
  fi

  echo
  # The 32-bit build is the product; where this machine runs no 32-bit code, the 64-bit one.
  wintree=win32
  "$root/scripts/can-run-32bit" || wintree=win64
  echo "== 7. a library of 26,420 fonts under Wine (build/$wintree)"
  win32=$root/build/$wintree/bench/win
  if [ -x "$win32/browse_bench.exe" ]; then
    big=$corpus/big
    if [ "$(find "$big" -type f 2>/dev/null | wc -l)" != $((count * 10)) ]; then
      rm -rf "$big"
      for k in 0 1 2 3 4 5 6 7 8 9; do mkdir -p "$big/d$k" && cp "$flat"/* "$big/d$k/"; done
    fi
    huge=$corpus/huge
    if [ "$(find "$huge" -type f 2>/dev/null | wc -l)" != $((count * 38)) ]; then
      rm -rf "$huge"
      for k in $(seq -w 0 37); do mkdir -p "$huge/h$k" && cp -l "$flat"/* "$huge/h$k/"; done
    fi
    cat "$big"/*/* > /dev/null
    winbig="Z:${big//\//\\}"
    "$root/scripts/wine-run" "$win32/browse_bench.exe" "$winbig" --repeat 3
    # Cold: the tree's own pages dropped from the cache before each run, not
    # the whole cache, which other programs on the machine are using.
    evict() { python3 -c 'import os, sys
for root, dirs, files in os.walk(sys.argv[1]):
    for f in files:
        fd = os.open(os.path.join(root, f), os.O_RDONLY); os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED); os.close(fd)' "$big"; }
    for what in bare bare-threads browse "browse --at-once"; do
      evict
      "$root/scripts/wine-run" "$win32/browse_bench.exe" "$winbig" --cold $what
    done
    cat "$big"/*/* > /dev/null
    "$root/scripts/wine-run" "$win32/memory_bench.exe" "$winbig"
    "$root/scripts/wine-run" "$win32/memory_bench.exe" "Z:${huge//\//\\}"
    "$root/scripts/wine-run" "$win32/listops_bench.exe" "$winbig"
  else
    echo "build it first: scripts/build $wintree" >&2
  fi
fi
