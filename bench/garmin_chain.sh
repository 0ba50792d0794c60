#!/usr/bin/env bash
# The whole chain from elevation tiles to gmapsupp.img (conversion, TYP, mkgmap) at the default
# options (levels 0 and 3, 25 m bands), for this build and, with OLD=BUILD_DIR, an earlier build
# timed in the same run, case by case side by side:
#   OLD=../chain-old/build bench/garmin_chain.sh [BUILD_DIR]
# Cases: one 3601² (1″) tile; a 1201² (3″) tile smooth and one with the generator's 3 m of
# noise; nine 3601² tiles (NINE=0 leaves them out; the old build runs them only with OLD_NINE=1).
# Per run: wall time, CPU time (user + system, mkgmap included), the peak memory of the largest
# process (ours or mkgmap's Java), mkgmap's wall time and share, the vertices written, the size
# of gmapsupp.img, the map tiles; for this build's maps the pixel check (bench/pixel_check).
# The load average is printed before and after: the machine may be shared.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
data=bench/data/garmin
mkdir -p "$data"/one "$data"/nine "$data"/noisy "$data"/smooth
[ -f "$data/one/N46E007.hgt" ] || "$build"/bench/make_dem 3601 46 7 1 1 "$data/one"
[ -f "$data/nine/N48E009.hgt" ] || "$build"/bench/make_dem 3601 46 7 3 3 "$data/nine"
[ -f "$data/noisy/N46E007.hgt" ] || "$build"/bench/make_dem 1201 46 7 1 1 "$data/noisy"
[ -f "$data/smooth/N46E007.hgt" ] || "$build"/bench/make_dem 1201 46 7 1 1 "$data/smooth" --smooth

wrapper=$data/timed-mkgmap
cat >"$wrapper" <<SCRIPT
#!/bin/sh
exec /usr/bin/time -a -f '%e %U %S %M' -o "$PWD/$data/mkgmap.time" mkgmap "\$@"
SCRIPT
chmod +x "$wrapper"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
run() { # LABEL BUILD NAME INPUT...
    local label=$1 dir=$2 name=$3; shift 3
    local out=$data/$name-$label
    rm -f "$data/mkgmap.time"
    sync
    /usr/bin/time -f '%e %U %S %M' -o "$out.time" "$dir/src/cli/orolith" img "$@" \
        --output-dir "$out" --mkgmap "$wrapper" --force >"$out.log" 2>&1
    read -r wall user sys peak <"$out.time"
    # mkgmap's runs (one per image), summed.
    read -r mkWall mkPeak < <(awk '{w += $1; if ($4 > p) p = $4} END {print w, p}' "$data/mkgmap.time")
    local vertices check=""
    vertices=$(grep -o '[0-9]* vertices' "$out.log" | head -1 | cut -d' ' -f1)
    if [ "$label" = new ] && [ $# -eq 1 ]; then
        check=" | $("$build"/bench/pixel_check "$out"/*.mp "$1")"
    fi
    printf '%-7s %-4s wall %6.1f s, CPU %6.1f s, peak %5d MiB | mkgmap %6.1f s (%2.0f %%), %5d MiB | %9s vertices | gmapsupp.img %6d KiB, %s%s\n' \
        "$name" "$label" "$wall" "$(echo "$user + $sys" | bc -l)" $((peak / 1024)) "$mkWall" \
        "$(echo "100 * $mkWall / $wall" | bc -l)" $((mkPeak / 1024)) "$vertices" \
        $(($(stat -c %s "$out/gmapsupp.img") / 1024)) "$(grep '^Tiles' "$out.log")" "$check"
}

for case in one smooth noisy nine; do
    [ "$case" = nine ] && [ "${NINE:-1}" = 0 ] && continue
    inputs=("$data/$case"/*.hgt)
    run new "$build" "$case" "${inputs[@]}"
    if [ -n "${OLD:-}" ] && { [ "$case" != nine ] || [ "${OLD_NINE:-0}" = 1 ]; }; then
        run old "$OLD" "$case" "${inputs[@]}"
    fi
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
