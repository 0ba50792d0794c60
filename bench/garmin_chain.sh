#!/usr/bin/env bash
# The whole chain from the input to gmapsupp.img (conversion, TYP, mkgmap) for the sample,
# one 3601² elevation tile and nine of them at 25 m bands. Prints, per case: wall time and
# peak memory of `orolith img` as a whole, of the conversion alone (`orolith mp`), and of
# mkgmap alone (run through a wrapper that times it), the size of gmapsupp.img, the tiles.
#   bench/garmin_chain.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
orolith=$build/src/cli/orolith
data=bench/data/garmin
mkdir -p "$data"
[ -f "$data/one/N46E007.hgt" ] || "$build"/bench/make_dem 3601 46 7 1 1 "$data/one"
[ -f "$data/nine/N48E009.hgt" ] || "$build"/bench/make_dem 3601 46 7 3 3 "$data/nine"

wrapper=$data/timed-mkgmap
cat >"$wrapper" <<SCRIPT
#!/bin/sh
exec /usr/bin/time -f '%e %M' -o "$PWD/$data/mkgmap.time" mkgmap "\$@"
SCRIPT
chmod +x "$wrapper"

run() { # NAME INPUT... -- OPTIONS...
    local name=$1; shift
    local inputs=() options=()
    while [ "$1" != -- ]; do inputs+=("$1"); shift; done; shift
    options=("$@")
    sync
    /usr/bin/time -f '%e %M' -o "$data/$name-mp.time" "$orolith" mp "${inputs[@]}" "${options[@]}" \
        --output "$data/$name.mp" --force >/dev/null
    sync
    /usr/bin/time -f '%e %M' -o "$data/$name-img.time" "$orolith" img "${inputs[@]}" "${options[@]}" \
        --output-dir "$data/$name-img" --mkgmap "$wrapper" --force >"$data/$name-img.log"
    read -r mpWall mpPeak <"$data/$name-mp.time"
    read -r imgWall imgPeak <"$data/$name-img.time"
    read -r mkWall mkPeak <"$data/mkgmap.time"
    printf '%s: total %.1f s, peak %d MiB | conversion %.1f s, %d MiB | mkgmap %.1f s (%.0f %%), %d MiB | gmapsupp.img %d KiB, %s\n' \
        "$name" "$imgWall" $((imgPeak / 1024)) "$mpWall" $((mpPeak / 1024)) "$mkWall" \
        "$(echo "100 * $mkWall / $imgWall" | bc -l)" $((mkPeak / 1024)) \
        $(($(stat -c %s "$data/$name-img/gmapsupp.img") / 1024)) "$(grep '^Tiles' "$data/$name-img.log")"
}

run sample data/sample.txt -- --levels 0,3 --contours
run one-tile "$data"/one/*.hgt -- --levels 0,3 --interval 25
run nine-tiles "$data"/nine/*.hgt -- --levels 0,3 --interval 25
