#!/bin/sh
# Builds and runs every benchmark and prints its figures.
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
"$SRC/scripts/install-deps.sh"
BUILD_DIR=$("$SRC/scripts/build.sh" | tail -n 1)
for b in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b"
done
