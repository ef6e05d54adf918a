#!/usr/bin/env bash
# Brings every interface translation up to date with the texts in MewtDirect: new texts arrive
# unfinished, texts no longer used are dropped. Then shows how many each table still lacks.
# Usage: scripts/update-translations.sh
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=/usr/lib/qt6/bin/lupdate
lrelease=/usr/lib/qt6/bin/lrelease
[ -x "$lupdate" ] || lupdate=$(command -v lupdate)
[ -x "$lrelease" ] || lrelease=$(command -v lrelease)

tables=(resources/translations/mewt_{ca,ko,ja,zh-Hans}.ts)

# The pull's texts go through a one-argument helper, translated("..."), that lupdate reads as tr()
# in namespace mewt, so they land in the "mewt" context too (lupdate grumbles that the "class"
# mewt lacks Q_OBJECT; that is expected).
"$lupdate" MewtDirect -tr-function-alias tr+=translated -ts "${tables[@]}" -no-obsolete -locations none
# English needs a table only for the texts that count ("1 minute", "2 minutes"): their forms.
"$lupdate" MewtDirect -tr-function-alias tr+=translated -pluralonly -ts resources/translations/mewt_en.ts \
  -no-obsolete -locations none

# Every text is looked up in the one context "mewt"; any other would never be found.
for table in "${tables[@]}"; do
  if grep -o '<name>[^<]*</name>' "$table" | grep -vq '<name>mewt</name>'; then
    echo "$table: texts outside the \"mewt\" context:" >&2
    grep -o '<name>[^<]*</name>' "$table" | sort -u >&2
    exit 1
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for table in "${tables[@]}" resources/translations/mewt_en.ts; do
  echo "$table: $("$lrelease" "$table" -qm "$scratch/table.qm" | grep -o '[0-9]* finished and [0-9]* unfinished')"
done
