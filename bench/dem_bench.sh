#!/usr/bin/env bash
# Times `orolith mp` on synthetic SRTM tiles (bench/make_dem: fractal terrain of 0 to 2500 m
# with about 3 m of noise, some with voids) beside `gdal_contour -p -i 25` on the same tile,
# and prints a Markdown table: wall time, CPU times and peak resident memory.
#   RUNS=1 ANCHOR="1201 3601" MOSAICS="1 4 9" SIMPLIFY="0 10 30" bench/dem_bench.sh
# (ANCHOR names the tiles the anchor runs on; "" skips it, "1201" spares the 40 minutes of 3601².)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-1}
anchor=${ANCHOR-1201 3601}
mosaics=${MOSAICS:-"1 4 9"}
build=$(tools/build.sh | tail -n 1)
data=bench/data/dem
mkdir -p "$data/1201" "$data/3601"
[ -f "$data/1201/N46E007.hgt" ] || "$build/bench/make_dem" 1201 46 7 1 1 "$data/1201" --voids
[ -f "$data/3601/N48E009.hgt" ] || "$build/bench/make_dem" 3601 46 7 3 3 "$data/3601"

# row LABEL COMMAND...: the fastest of $runs runs as a table row, with the polygons and
# vertices the final message names.
row() {
  local label=$1 best="" line counts
  shift
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %U %S %M" -o "$data/time.txt" "$@" >"$data/message.txt" 2>&1
    line=$(tail -n 1 "$data/time.txt")
    if [ -z "$best" ] || awk -v a="$line" -v b="$best" 'BEGIN { split(a, x); split(b, y); exit !(x[1] < y[1]) }'; then
      best=$line
    fi
  done
  counts=$(sed -n 's/.*(\([0-9]*\) polygons, [0-9]* holes, \([0-9]*\) vertices.*/\1 \2/p' "$data/message.txt")
  echo "$best ${counts:-- -}" |
    awk -v label="$label" '{ printf "| %s | %.2f | %.2f | %.2f | %.0f | %s | %s |\n", label, $1, $2, $3, $4 / 1024, $5, $6 }'
}

tiles() { # the first N tiles of the 3 × 3 block
  case $1 in
    1) echo "$data/3601/N46E007.hgt" ;;
    4) echo "$data/3601/N46E007.hgt $data/3601/N46E008.hgt $data/3601/N47E007.hgt $data/3601/N47E008.hgt" ;;
    9) ls "$data"/3601/N4[678]E00[789].hgt | tr '\n' ' ' ;;
  esac
}

echo "| Run | Wall s | User s | Sys s | Peak RSS MiB | Polygons | Vertices |"
echo "|---|---:|---:|---:|---:|---:|---:|"
out=/dev/shm/orolith-bench.mp
row "orolith mp, 1201², voids" "$build/src/cli/orolith" mp "$data/1201/N46E007.hgt" --simplify 0 --force --output "$out"
for n in $mosaics; do
  # shellcheck disable=SC2046
  row "orolith mp, $n × 3601²" "$build/src/cli/orolith" mp $(tiles "$n") --simplify 0 --force --output "$out"
done
row "orolith mp, 3601², 1 core" taskset -c 0 "$build/src/cli/orolith" mp "$data/3601/N46E007.hgt" --simplify 0 --force --output "$out"
row "orolith mp, 3601², --smooth 2" "$build/src/cli/orolith" mp "$data/3601/N46E007.hgt" --smooth 2 --simplify 0 --force --output "$out"
# shellcheck disable=SC2046
row "orolith mp, 9 × 3601², --simplify 10" "$build/src/cli/orolith" mp $(tiles 9) --simplify 10 --force --output "$out"

rm -f "$data"/anchor*.gpkg
for size in $anchor; do
  row "gdal_contour -p -i 25, $size²" gdal_contour -q -p -i 25 -amin elev "$data/$size/N46E007.hgt" "$data/anchor$size.gpkg"
done

# Simplifying: time and the vertices written, 3601² at 25 m.
echo
echo "| --simplify | Wall s | User s | Peak RSS MiB | Polygons | Holes | Vertices |"
echo "|---:|---:|---:|---:|---:|---:|---:|"
for metres in ${SIMPLIFY:-0 10 30}; do
  /usr/bin/time -f "%e %U %M" -o "$data/time.txt" "$build/src/cli/orolith" mp "$data/3601/N46E007.hgt" \
    --simplify "$metres" --force --output "$out" >"$data/message.txt" 2>&1
  counts=$(sed -n 's/.*(\([0-9]*\) polygons, \([0-9]*\) holes, \([0-9]*\) vertices.*/\1 \2 \3/p' "$data/message.txt")
  echo "$(tail -n 1 "$data/time.txt") $counts" |
    awk -v m="$metres" '{ printf "| %s | %.2f | %.2f | %.0f | %d | %d | %d |\n", m, $1, $2, $3 / 1024, $4, $5, $6 }'
done
echo

rm -f "$out"
