#!/bin/sh
# Refreshes the translation catalogues from the sources under src/: new texts
# are added as unfinished, texts that no longer exist are dropped, existing
# translations are kept. Translate the new entries (Qt Linguist or by hand)
# before committing; a test fails while an offered language has unfinished
# texts.
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
LUPDATE=${LUPDATE:-lupdate}
command -v "$LUPDATE" >/dev/null 2>&1 || LUPDATE=/usr/lib/qt5/bin/lupdate

TS_FILES=""
for lang in arabic chinese-cn english french german hungary japanese korean spanish thai; do
  TS_FILES="$TS_FILES $SRC/resources/translations/firmware_$lang.ts"
done

# Without source locations the catalogues do not change with every edit of a
# source file, which keeps merges of parallel work simple.
# shellcheck disable=SC2086
"$LUPDATE" -no-obsolete -locations none -extensions cpp,h,ui "$SRC/src" -ts $TS_FILES
