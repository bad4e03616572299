#!/usr/bin/env bash
# Brings translations/zqsuite_en.ts up to date with the sources: texts gone from the sources are
# dropped; new texts written in English are their own English, new Chinese texts come in unfinished
# (write their English in Qt Linguist or by hand). Further arguments are donor catalogues whose
# finished entries fill the same texts (the other side of a merge: git show OTHER:translations/...).
# Usage: scripts/update-translations.sh [DONOR.ts ...]
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
sources=$(sed -n 's/^set(ZQ_TS_SOURCES \(.*\))$/\1/p' translations/sources.cmake)
options=$(sed -n 's/^set(ZQ_TS_OPTIONS \(.*\))$/\1/p' translations/sources.cmake)
update() {
  # shellcheck disable=SC2086
  "$LUPDATE" $sources $options -no-obsolete -ts translations/zqsuite_en.ts
}
update
python3 scripts/fill-translations.py translations/zqsuite_en.ts "$@"
update # lupdate's own layout again
