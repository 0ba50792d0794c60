#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled sample: the
# Polish map and the TYP style file of data/sample.txt, written to out/, and the Garmin
# image for the receiver, out/sample/gmapsupp.img, compiled from both with mkgmap.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh
dir=$(tools/build.sh | tail -n 1)
mkdir -p out
cp data/sample.txt out/sample.txt
"$dir"/src/cli/orolith mp out/sample.txt --levels highest,low --contours --force
"$dir"/src/cli/orolith typ out/sample.txt --home out --output out/sample-typ.txt
"$dir"/src/cli/orolith img out/sample.txt --levels highest,low --contours --force
echo
echo "The map: out/sample.mp   The style: out/sample-typ.txt"
echo "For the receiver (copy it to its Garmin folder): out/sample/gmapsupp.img"
echo "The same in the desktop program: $dir/src/gui/orolith-creator --home out out/sample.txt"
