#!/bin/sh
# Builds everything and runs every test headless. Exits non-zero on any failure.
set -e
SRC=$(cd "$(dirname "$0")" && pwd)
"$SRC/scripts/install-deps.sh"
BUILD_DIR=$("$SRC/scripts/build.sh" | tail -n 1)
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
