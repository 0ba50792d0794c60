#!/usr/bin/env bash
# Times `orolith mp` (two detail levels) on synthetic Geo Vector inputs of 100 MB and 1 GB,
# beside `cat` copying the same input to a file in the same folder (also followed by a sync,
# and writing the input twice, as many bytes as a two-level map), and prints a Markdown
# table: wall time (best of RUNS), input MB/s, CPU times and peak resident memory.
#   RUNS=3 SIZES="100 1000" KEEP=0 bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-3}
sizes=${SIZES:-"100 1000"}
if [ ! -x /usr/bin/time ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq time >/dev/null
fi
build=$(tools/build.sh | tail -n 1)
data=bench/data
mkdir -p "$data"

# best_of LABEL MB COMMAND...: runs COMMAND $runs times after a sync and prints the row of
# the fastest run.
best_of() {
  local label=$1 megabytes=$2
  shift 2
  local best="" line
  for _ in $(seq "$runs"); do
    sync
    /usr/bin/time -f "%e %U %S %M" -o "$data/time.txt" "$@" >/dev/null 2>&1
    line=$(tail -n 1 "$data/time.txt")
    if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
      best=$line
    fi
  done
  read -r wall user sys rss <<<"$best"
  awk -v l="$label" -v mb="$megabytes" -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" \
    'BEGIN { printf "| %s | %.2f | %.0f | %.2f | %.2f | %.1f |\n", l, w, (w > 0 ? mb / w : 0), u, s, r / 1024 }'
}

echo "| Run | Wall s | Input MB/s | User s | Sys s | Peak RSS MiB |"
echo "|---|---:|---:|---:|---:|---:|"
for size in $sizes; do
  input=$data/geo$size.txt
  distinct=$((size * 3))
  [ -f "$input" ] || "$build/bench/make_geovector" "$input" "$size" "$distinct"
  megabytes=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1e6 }')
  cat "$input" >/dev/null # the input in the page cache for every run alike
  best_of "cat, $megabytes MB" "$megabytes" sh -c 'cat "$1" > "$2"' _ "$input" "$data/cat.out"
  best_of "cat + sync, $megabytes MB" "$megabytes" sh -c 'cat "$1" > "$2" && sync "$2"' _ "$input" "$data/cat.out"
  # The bytes of a two-level map: about twice the input.
  best_of "cat twice + sync, $megabytes MB" "$megabytes" sh -c 'cat "$1" "$1" > "$2" && sync "$2"' _ "$input" "$data/cat.out"
  rm -f "$data/cat.out"
  best_of "orolith mp --levels 0,3, $megabytes MB" "$megabytes" \
    "$build/src/cli/orolith" mp "$input" --levels 0,3 --force --output "$data/geo$size.mp"
  rm -f "$data/geo$size.mp"
  best_of "orolith list, $megabytes MB" "$megabytes" "$build/src/cli/orolith" list "$input"
done
rm -f "$data/time.txt"
if [ "${KEEP:-0}" != 1 ]; then
  rm -f "$data"/geo1000.txt
fi
