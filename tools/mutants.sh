#!/usr/bin/env bash
# A mutation run: applies one-line mutants one at a time, rebuilds the test targets that cover
# them, runs those tests and counts the mutants some test kills. Each line of the list is
#   FILE, LINE, FROM, TO, TARGETS, TESTS separated by tabs
# (FROM is replaced by TO once on that line, or on the first line that holds it when the
# file has moved on; TARGETS are build targets, TESTS a ctest -R pattern). The source is restored after every mutant, also when the run is interrupted.
#   tools/mutants.sh bench/mutants.txt        (the build folder is build/)
set -uo pipefail
cd "$(dirname "$0")/.."
list=${1:?usage: tools/mutants.sh LIST}
killed=0 survived=0 broken=0
current=""
restore() { [ -n "$current" ] && git checkout --quiet -- "$current"; current=""; }
trap 'restore; exit 130' INT TERM
while IFS=$'\t' read -r file line from to targets tests; do
  [ -z "$file" ] || [ "${file:0:1}" = "#" ] && continue
  current=$file
  if ! python3 - "$file" "$line" "$from" "$to" <<'PY'
import sys
path, line, old, new = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
lines = open(path).read().split('\n')
# The line given, or (after edits moved it) the first line that holds the text.
at = line - 1 if 0 < line <= len(lines) and old in lines[line - 1] else next(
    (i for i, text in enumerate(lines) if old in text), -1)
if at < 0:
    sys.exit(1)
lines[at] = lines[at].replace(old, new, 1)
open(path, 'w').write('\n'.join(lines))
PY
  then
    echo "STALE    $file:$line ($from)"; broken=$((broken + 1)); current=""; continue
  fi
  # shellcheck disable=SC2086
  if ! cmake --build build -j 2 --target $targets </dev/null >/dev/null 2>&1; then
    echo "NO BUILD $file:$line $from -> $to"; broken=$((broken + 1))
  elif ctest --test-dir build -R "$tests" --timeout 300 </dev/null >/dev/null 2>&1; then
    echo "SURVIVED $file:$line $from -> $to"; survived=$((survived + 1))
  else
    echo "killed   $file:$line $from -> $to"; killed=$((killed + 1))
  fi
  restore
done < "$list"
echo "killed $killed of $((killed + survived)) mutants that built ($broken did not build or were stale)"
