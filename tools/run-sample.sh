#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled samples: first the
# elevation model of Luxembourg, data/luxembourg-elev.tif, made into the Garmin image for the
# receiver, out/luxembourg-elev/gmapsupp.img, with the default bands and colours; then the
# Polish map and the TYP style file of the Geo Vector sample data/sample.txt, written to out/,
# and its image, out/sample/gmapsupp.img, compiled from both with mkgmap.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
dir=$(tools/build.sh | tail -n 1)
mkdir -p out
"$dir"/src/cli/orolith img data/luxembourg-elev.tif --output-dir out/luxembourg-elev --force
echo
cp data/sample.txt out/sample.txt
"$dir"/src/cli/orolith mp out/sample.txt --levels highest,low --contours --force
"$dir"/src/cli/orolith typ out/sample.txt --home out --output out/sample-typ.txt
"$dir"/src/cli/orolith img out/sample.txt --levels highest,low --contours --force
echo
echo "For the receiver (copy it to its Garmin folder): out/luxembourg-elev/gmapsupp.img"
echo "The Geo Vector sample's map: out/sample.mp   The style: out/sample-typ.txt"
echo "For the receiver (copy it to its Garmin folder): out/sample/gmapsupp.img"
echo "The same in the desktop program: $dir/src/gui/orolith-creator --home out out/sample.txt"
