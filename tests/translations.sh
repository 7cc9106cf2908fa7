#!/usr/bin/env bash
# Fails when a text the screens or messages show is missing from the
# translation files, or is there without a finished translation: lupdate reads
# the sources into copies of the committed files, and every entry it leaves
# unfinished is named. New texts go into the files with
#   lupdate src -extensions cpp,h,qml,js -locations none -no-obsolete -ts translations/vantrel_es.ts
# (and -pluralonly for vantrel_en.ts), then get their translation.
set -euo pipefail
src=${1:?usage: translations.sh SRC_DIR TS_DIR LUPDATE}
ts_dir=${2:?usage: translations.sh SRC_DIR TS_DIR LUPDATE}
lupdate=${3:?usage: translations.sh SRC_DIR TS_DIR LUPDATE}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for committed in "$ts_dir"/vantrel_*.ts; do
  name=$(basename "$committed")
  cp "$committed" "$work/$name"
  options=(-extensions cpp,h,qml,js -locations none -silent)
  # The English file holds only the plural forms of the source texts.
  [[ $name == vantrel_en.ts ]] && options+=(-pluralonly)
  "$lupdate" "$src" "${options[@]}" -ts "$work/$name" >"$work/lupdate.log" 2>&1 || {
    cat "$work/lupdate.log"
    exit 1
  }
  python3 - "$work/$name" "$name" <<'PY' || status=1
import sys
import xml.etree.ElementTree as ET
path, name = sys.argv[1], sys.argv[2]
missing = []
for context in ET.parse(path).getroot().iter('context'):
    for message in context.iter('message'):
        translation = message.find('translation')
        if translation is not None and translation.get('type') == 'unfinished':
            missing.append((context.findtext('name'), message.findtext('source')))
for context, source in missing:
    print(f'{name}: no translation for [{context}] "{source}"')
sys.exit(1 if missing else 0)
PY
done
exit $status
