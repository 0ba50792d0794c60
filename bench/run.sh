#!/usr/bin/env bash
# Times `orolith mp` (two detail levels) on synthetic Geo Vector inputs of 100 MB and 1 GB
# beside `cat` copying the same input to a file in the same folder: alone, followed by a
# sync, and writing the input twice (as many bytes as a two-level map) followed by a sync.
# The commands take turns within each round, so all of them meet the machine in the same
# state; every row is the best of RUNS rounds by wall time. Prints a Markdown table (wall
# time, input MB/s, CPU times, peak resident memory), then per size the ratio of the map to
# `cat IN IN > OUT; sync`, and the load average before and after.
# DATA names the folder the inputs and outputs go to (default bench/data), so the same
# run can be made on another kind of storage: a tmpfs, a loop-mounted file system.
#   RUNS=3 SIZES="100 1000" KEEP=0 [OROLITH=PROGRAM] [DATA=DIR] bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-3}
sizes=${SIZES:-"100 1000"}
if [ ! -x /usr/bin/time ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq time >/dev/null
fi
# Only the two programs timed here are built.
build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
command -v ccache >/dev/null && flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" --target orolith make_geovector >/dev/null
data=${DATA:-bench/data}
mkdir -p "$data"
orolith=${OROLITH:-$build/src/cli/orolith} # another build of the program, to compare

# timed NAME COMMAND...: runs COMMAND after a sync and keeps "wall user sys rss" in best[NAME]
# when its wall time is the lowest so far.
declare -A best
timed() {
  local name=$1 line
  shift
  sync
  /usr/bin/time -f "%e %U %S %M" -o "$data/time.txt" "$@" >/dev/null 2>&1
  line=$(tail -n 1 "$data/time.txt")
  if [ -z "${best[$name]:-}" ] || awk -v a="${line%% *}" -v b="${best[$name]%% *}" 'BEGIN { exit !(a < b) }'; then
    best[$name]=$line
  fi
}

row() { # row LABEL NAME MB
  local wall user sys rss
  read -r wall user sys rss <<<"${best[$2]}"
  awk -v l="$1" -v mb="$3" -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" \
    'BEGIN { printf "| %s | %.2f | %.0f | %.2f | %.2f | %.1f |\n", l, w, (w > 0 ? mb / w : 0), u, s, r / 1024 }'
}

echo "Load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
echo
echo "| Run | Wall s | Input MB/s | User s | Sys s | Peak RSS MiB |"
echo "|---|---:|---:|---:|---:|---:|"
ratios=()
for size in $sizes; do
  input=$data/geo$size.txt
  distinct=$((size * 3))
  [ -f "$input" ] || "$build/bench/make_geovector" "$input" "$size" "$distinct"
  megabytes=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1e6 }')
  cat "$input" >/dev/null # the input in the page cache for every run alike
  best=()
  for _ in $(seq "$runs"); do
    timed cat sh -c 'cat "$1" > "$2"' _ "$input" "$data/cat.out"
    timed catSync sh -c 'cat "$1" > "$2" && sync "$2"' _ "$input" "$data/cat.out"
    timed catTwiceSync sh -c 'cat "$1" "$1" > "$2" && sync "$2"' _ "$input" "$data/cat.out"
    rm -f "$data/cat.out"
    timed map "$orolith" mp "$input" --levels 0,3 --force --output "$data/geo$size.mp"
    rm -f "$data/geo$size.mp"
    timed list "$orolith" list "$input"
  done
  row "cat, $megabytes MB" cat "$megabytes"
  row "cat + sync, $megabytes MB" catSync "$megabytes"
  row "cat twice + sync, $megabytes MB" catTwiceSync "$megabytes"
  row "orolith mp --levels 0,3, $megabytes MB" map "$megabytes"
  row "orolith list, $megabytes MB" list "$megabytes"
  ratios+=("$(awk -v m="${best[map]%% *}" -v c="${best[catTwiceSync]%% *}" -v mb="$megabytes" \
    'BEGIN { printf "orolith mp --levels 0,3 / (cat IN IN > OUT; sync), %s MB: %.2f", mb, (c > 0 ? m / c : 0) }')")
done
echo
printf '%s\n' "${ratios[@]}"
echo "Load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
rm -f "$data/time.txt"
if [ "${KEEP:-0}" != 1 ]; then
  rm -f "$data"/geo1000.txt
fi
