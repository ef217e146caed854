#!/usr/bin/env bash
# The English catalog against the code: no Japanese text in the game's code is left
# unmarked (a new text must be marked to be translated), every marked text has an
# English translation in po/en.po, and the catalog has no fuzzy or untranslated entry
# and compiles cleanly. Usage: catalog_check.sh SOURCE_ROOT
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The game's and the configurator's code and the libraries they show texts from (the
# league's English web page is outside the catalog).
(cd "$root" && python3 tools/i18n/extract_texts.py --unmarked src/aircraft src/app src/flight src/game \
  src/league/client src/platform src/ranking src/sim src/world apps/velkaro-config src/config) || {
  echo "Japanese texts above are not marked for translation: N_(\"…\"), or \"// in every language\"" >&2
  exit 1
}
python3 "$root/tools/i18n/extract_texts.py" "$root/src" "$root/apps" >"$work/velkaro.pot"
# msgcmp fails, naming each, on a marked text the catalog lacks or leaves untranslated.
msgcmp "$root/po/en.po" "$work/velkaro.pot"
stats=$(msgfmt --check --statistics -o /dev/null "$root/po/en.po" 2>&1)
echo "$stats"
if grep -qE 'fuzzy|untranslated' <<<"$stats"; then
  echo "po/en.po has fuzzy or untranslated entries" >&2
  exit 1
fi
