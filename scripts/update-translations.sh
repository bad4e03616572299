#!/usr/bin/env bash
# Brings translations/zqsuite_en.ts up to date with the sources: new texts come in unfinished (write
# their English in Qt Linguist or by hand), texts gone from the sources are dropped.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
sources=$(sed -n 's/^set(ZQ_TS_SOURCES \(.*\))$/\1/p' translations/sources.cmake)
options=$(sed -n 's/^set(ZQ_TS_OPTIONS \(.*\))$/\1/p' translations/sources.cmake)
# shellcheck disable=SC2086
"$LUPDATE" $sources $options -no-obsolete -ts translations/zqsuite_en.ts
