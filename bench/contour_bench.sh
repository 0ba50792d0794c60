#!/usr/bin/env bash
# Contour lines and band tracing on the synthetic noisy 3601² tile (bench/make_dem: fractal
# terrain of 0 to 2500 m with about 3 m of noise). Times, back to back in each round:
#  - `orolith mp --contour-lines 10` (bands of 5000 m, so nearly all the work is the lines)
#    beside the anchor `gdal_contour -i 10` on the same tile (a GeoPackage in /dev/shm);
#  - `orolith mp` at 25 m (bands only) of this build beside OLD, another build of the program.
# Other programs on the machine compete for its cores, so compare the user and system seconds
# as well as the wall time. Prints a Markdown table; every row is the best of RUNS by CPU time.
#   RUNS=3 OLD=/path/to/older/orolith [BUILD=build] bench/contour_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-3}
build=${BUILD:-$(tools/build.sh | tail -n 1)} # BUILD=build: time the build as it is
old=${OLD:-}
data=bench/data/dem
mkdir -p "$data/3601"
[ -f "$data/3601/N46E007.hgt" ] || "$build/bench/make_dem" 3601 46 7 1 1 "$data/3601"
tile=$data/3601/N46E007.hgt
out=/dev/shm/orolith-contour-bench
declare -A best

# timed NAME COMMAND...: keeps "wall user sys rss" of the run with the least CPU time.
timed() {
  local name=$1 line
  shift
  rm -f "$out.gpkg"
  /usr/bin/time -f "%e %U %S %M" -o "$data/time.txt" "$@" >"$data/message.txt" 2>&1
  line=$(tail -n 1 "$data/time.txt")
  if [ -z "${best[$name]:-}" ] ||
    awk -v a="$line" -v b="${best[$name]}" 'BEGIN { split(a, x); split(b, y); exit !(x[2] + x[3] < y[2] + y[3]) }'; then
    best[$name]=$line
  fi
}

names=("orolith contour lines, 10 m" "gdal_contour -i 10" "orolith bands, 25 m")
[ -n "$old" ] && names+=("earlier orolith bands, 25 m")
for _ in $(seq "$runs"); do
  timed "${names[0]}" "$build/src/cli/orolith" mp "$tile" --interval 5000 --contour-lines 10 --force --output "$out.mp"
  grep -o '[0-9]* contour lines.*' "$data/message.txt" >"$data/lines.txt" || true
  timed "${names[1]}" gdal_contour -q -i 10 -a elev "$tile" "$out.gpkg"
  timed "${names[2]}" "$build/src/cli/orolith" mp "$tile" --force --output "$out.mp"
  [ -n "$old" ] && timed "${names[3]}" "$old" mp "$tile" --force --output "$out.mp"
done

echo "| Run, 3601² | Wall s | User s | Sys s | Peak RSS MiB |"
echo "|---|---:|---:|---:|---:|"
for name in "${names[@]}"; do
  echo "${best[$name]}" | awk -v label="$name" '{ printf "| %s | %.2f | %.2f | %.2f | %.0f |\n", label, $1, $2, $3, $4 / 1024 }'
done
echo
echo "Lines written: $(cat "$data/lines.txt")"
rm -f "$out.mp" "$out.gpkg"
