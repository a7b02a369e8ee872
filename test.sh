#!/bin/sh
# Builds everything and runs every test headless, then builds the page tests
# and the link's, the print engine's and the other core and print tests with
# AddressSanitizer and runs them again. Exits non-zero on any failure.
set -e
SRC=$(cd "$(dirname "$0")" && pwd)
"$SRC/scripts/install-deps.sh"
BUILD_DIR=${BUILD_DIR:-$SRC/../build-$(basename "$SRC")}
export BUILD_DIR
echo "Building into $BUILD_DIR (the first build takes a few minutes)"
"$SRC/scripts/build.sh"
JOBS=$(nproc)
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS" --timeout 300

ASAN_DIR="$BUILD_DIR-asan"
cmake -S "$SRC" -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=Debug -DPRINTER_SANITIZE=address >/dev/null
echo "Building the sanitized tests into $ASAN_DIR"
cmake --build "$ASAN_DIR" -j"$JOBS" --target sanitized_tests
cd "$ASAN_DIR"
# Qt's and fontconfig's process-lifetime caches are not leaks of ours.
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS" -L sanitized --timeout 600
