#!/usr/bin/env bash
# Fails when a window text has no translation: takes the texts of src/gui into a copy of
# each translations/*.ts with lupdate and lists the entries left unfinished.
#   tools/check-translations.sh [LUPDATE]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${1:-/usr/lib/qt6/bin/lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in translations/*.ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" -silent -no-obsolete -locations none -I src src/gui -ts "$copy" >/dev/null
  # An untranslated text: a message whose translation is unfinished (new) or empty.
  missing=$(python3 - "$copy" <<'PY'
import sys, xml.etree.ElementTree as tree
for context in tree.parse(sys.argv[1]).getroot().iter("context"):
    for message in context.iter("message"):
        translation = message.find("translation")
        if translation.get("type") == "unfinished" or not (translation.text or "").strip() and not list(translation):
            print(context.findtext("name") + ": " + message.findtext("source"))
PY
)
  if [ -n "$missing" ]; then
    echo "$ts: these window texts have no translation (run 'cmake --build build --target update_translations' and translate them):"
    echo "$missing"
    status=1
  fi
done
exit $status
