#!/usr/bin/env bash
# A fuzzing campaign with libFuzzer (needs clang): builds the fuzz targets into build-fuzz/
# and runs one target, or each in turn, for SECONDS each (default 60). New inputs collect in
# build-fuzz/corpus/<target>/ next to the seeds in fuzz/corpus/<target>/; a crash is saved as
# build-fuzz/crash-* and can be replayed with build-fuzz/fuzz/fuzz_<target> FILE.
# SECONDS 0 only builds the targets and runs each over its seeds (what CI does with clang).
#   tools/fuzz.sh [TARGET|all] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-all}
seconds=${2:-60}
command -v clang++ >/dev/null || { echo "tools/fuzz.sh needs clang (apt-get install clang)" >&2; exit 1; }

flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DOROLITH_FUZZ=ON -DOROLITH_BUILD_GUI=OFF -DOROLITH_BUILD_TESTS=OFF)
command -v ccache >/dev/null && flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S . -B build-fuzz -G Ninja "${flags[@]}" >/dev/null

targets=()
if [ "$target" = all ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
else
  targets=("$target")
fi
cmake --build build-fuzz -j 2 --target "${targets[@]/#/fuzz_}"

for name in "${targets[@]}"; do
  if [ "$seconds" = 0 ]; then
    build-fuzz/fuzz/fuzz_$name -runs=0 "fuzz/corpus/$name"
    continue
  fi
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $name: $seconds s"
  (cd build-fuzz && "fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
     "corpus/$name" "../fuzz/corpus/$name")
done
