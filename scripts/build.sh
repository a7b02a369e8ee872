#!/bin/sh
# Configures and builds into ../build-<name of the checkout> (or $BUILD_DIR).
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$SRC/../build-$(basename "$SRC")}
cmake -S "$SRC" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
echo "$BUILD_DIR"
